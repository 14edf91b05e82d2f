#pragma once

class QWidget;

namespace vesperon {

struct AppContext;
class HttpGet;
class frmMain;

// Each function fills some of context.open, building the windows below app/ from the parts of
// the context that window uses. Like every window of the program, a window that is still
// loaded is not loaded again.

// New and Edit of the main window open the schedule wizard, which saves into the application
// folder's data folder and reloads the main window's list. While a wizard is open they bring
// it forward instead of loading another one; the last press decides whether OK checks the
// name against the list. The translation template loads the wizard, hidden, first.
void installWizard(AppContext &context, frmMain &mainWindow);

// The language window (or the one already loaded) comes up modal at the first start and
// modeless from the menu. A pick re-translates mainWindow at once.
void installLanguageWindow(AppContext &context, QWidget &mainWindow, HttpGet &http);

// The help launcher, the about window and the web-site launcher. A second About shows the
// open window; a second web-site press within its second opens nothing.
void installPresentationWindows(AppContext &context);

} // namespace vesperon
