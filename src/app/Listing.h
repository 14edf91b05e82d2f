#pragma once

#include "schedule/ScheduleListModel.h"

#include <QString>

namespace vesperon {

// The schedule list as text: one line per row, the five columns joined by TABs. Control
// characters in a column are written as escapes (\t, \n, \r, \x1b, ...) and a backslash as
// \\, so a name can neither break the columns nor reach the terminal as a command.
QString listingText(const ScheduleListModel &model);

// One column's text as the listing writes it.
QString escapedForListing(const QString &text);

} // namespace vesperon
