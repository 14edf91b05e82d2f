#pragma once

#include "schedule/ScheduleListModel.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

namespace vesperon {

// The choices of the quick-schedule delay box, in order. Texts are compared exactly:
// two of them start with a lower-case "in".
QStringList quickScheduleDelayItems();

inline const QString QuickScheduleNow = QStringLiteral("Now");

// The moment a quick schedule chosen at `now` with the delay text `delay` runs at;
// nullopt for "Now" and for any text that is not one of the items.
std::optional<QDateTime> quickScheduleTarget(const QString &delay, const QDateTime &now);

// The locale's time of day with seconds, e.g. "2:20:30 PM" in en_US.
QString generalTimeText(const QTime &time, const QLocale &locale = QLocale());

// The row a quick schedule adds to the list: named after the moment it was made, no file.
// Its next run is the target moment, or empty when the delay text is not an item.
ScheduleRow quickScheduleRow(const QString &action, const QString &delay, const QDateTime &now,
                             const QLocale &locale = QLocale());

} // namespace vesperon
