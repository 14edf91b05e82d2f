#include "app/StartUp.h"

#include "app/MainWindow.h"
#include "app/WindowOpeners.h"

namespace vesperon {

std::unique_ptr<MainWindow> loadMainWindow(const MainWindowSeams &seams, HttpGet &http, const QIcon &icon) {
    auto mainWindow = std::make_unique<MainWindow>(seams);
    installWindowOpeners(*mainWindow, seams, http, icon);
    mainWindow->load();
    return mainWindow;
}

} // namespace vesperon
