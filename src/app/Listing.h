#pragma once

#include "schedule/ScheduleListModel.h"

#include <QString>

namespace vesperon {

// The schedule list as text: one line per row, the five columns joined by TABs.
QString listingText(const ScheduleListModel &model);

} // namespace vesperon
