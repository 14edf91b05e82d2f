#pragma once

#include <memory>

namespace vesperon {

struct AppContext;
class HttpGet;
class frmMain;

// Builds the main window, gives it the windows it opens that need it (the language
// window), and runs its load: the program's whole start-up. The splash calls this after
// its last tick.
std::unique_ptr<frmMain> loadMainWindow(AppContext &context, HttpGet &http);

} // namespace vesperon
