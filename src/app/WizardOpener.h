#pragma once

namespace vesperon {

struct AppContext;
class frmMain;

// Makes New and Edit of the main window open the schedule wizard. While a wizard is open
// they bring it forward instead of loading another one (the main window has already set
// editMode, which the open wizard reads when OK is pressed). The wizard saves into the
// main window's data folder and reloads its list.
void installWizard(AppContext &context, frmMain &mainWindow);

} // namespace vesperon
