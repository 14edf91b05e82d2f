#pragma once

class QIcon;

namespace vesperon {

class HttpGet;
class MainWindow;
struct MainWindowSeams;

// Each function fills some of the main window's openers, building the windows below app/ from
// the seams that window uses. Like every window of the program, a window that is still loaded
// is not loaded again.

// All of them, as the running program has them.
void installWindowOpeners(MainWindow &main, const MainWindowSeams &seams, HttpGet &http, const QIcon &icon);

// New and Edit of the main window open the schedule wizard, which saves into the application
// folder's data folder and reloads the main window's list. While a wizard is open they bring
// it forward instead of loading another one; the last press decides whether OK checks the
// name against the list. The translation template loads the wizard, hidden, first.
void installWizard(MainWindow &main, const MainWindowSeams &seams);

// The language window (or the one already loaded) comes up modal at the first start and
// modeless from the menu. A pick re-translates the main window at once.
void installLanguageWindow(MainWindow &main, const MainWindowSeams &seams, HttpGet &http);

// General Preferences opens modeless and loads; while it is open, a further request only
// brings it to the front. A closed window is destroyed, so the next request opens a fresh one.
// A window still open when the main window goes away goes with it.
void installOptions(MainWindow &main, const MainWindowSeams &seams, const QIcon &icon);

// The help launcher, the about window and the web-site launcher. A second About shows the
// open window; a second web-site press within its second opens nothing.
void installPresentationWindows(MainWindow &main, const MainWindowSeams &seams);

// View > History opens the history window, or reads the file again into the one open.
void installHistoryWindow(MainWindow &main, const MainWindowSeams &seams);

} // namespace vesperon
