#pragma once

namespace vesperon {

struct AppContext;

// Sets the openers of the help launcher, the about window and the web-site window. Like
// every window of the program, a window that is still loaded is not loaded again: a second
// About shows the open window, a second web-site press within its second opens nothing.
void installPresentationWindows(AppContext &context);

} // namespace vesperon
