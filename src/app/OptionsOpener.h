#pragma once

#include <QIcon>

namespace vesperon {

struct AppContext;

// Sets context.open.options: the first call opens General Preferences modeless and loads it;
// while that window is open, a further call only brings it to the front. A closed window is
// destroyed, so the next call opens a fresh one. A window still open when the context goes
// away goes with it. The window shows the given icon.
void installOptions(AppContext &context, const QIcon &icon = QIcon());

} // namespace vesperon
