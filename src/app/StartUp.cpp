#include "app/StartUp.h"

#include "app/AppContext.h"
#include "app/WindowOpeners.h"
#include "app/frmMain.h"

namespace vesperon {

std::unique_ptr<frmMain> loadMainWindow(AppContext &context, HttpGet &http) {
    auto mainWindow = std::make_unique<frmMain>(context);
    installLanguageWindow(context, *mainWindow, http);
    installWizard(context, *mainWindow);
    mainWindow->Form_Load();
    return mainWindow;
}

} // namespace vesperon
