#pragma once

namespace vesperon {

struct AppContext;

// Sets context.open.options: the first call opens General Preferences modeless and loads it;
// while that window is open, a further call only brings it to the front. A closed window is
// destroyed, so the next call opens a fresh one. A window still open when the context goes
// away goes with it.
void installOptions(AppContext &context);

} // namespace vesperon
