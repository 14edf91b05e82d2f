#include "app/Listing.h"

namespace vesperon {

QString listingText(const ScheduleListModel &model) {
    QString text;
    for (const ScheduleRow &row : model.rows()) {
        text += QStringList{row.name, row.type, row.lastRunTime, row.nextRunTime, row.enabled}.join(
            QLatin1Char('\t'));
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace vesperon
