#pragma once

#include <memory>

class QIcon;

namespace vesperon {

class HttpGet;
class MainWindow;
struct MainWindowSeams;

// Builds the main window, gives it the windows it opens, and runs its load: the program's
// whole start-up. The splash calls this after its last tick. seams must outlive the window.
std::unique_ptr<MainWindow> loadMainWindow(const MainWindowSeams &seams, HttpGet &http, const QIcon &icon);

} // namespace vesperon
