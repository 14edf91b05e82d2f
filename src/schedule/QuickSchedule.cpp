#include "schedule/QuickSchedule.h"

#include "core/ShortDate.h"
#include "schedule/DueTime.h"

namespace vesperon {

namespace {

struct Delay {
    const char *text;
    qint64 seconds; // 0 with months = 1: one calendar month
    int months;
};

constexpr qint64 Minute = 60;
constexpr qint64 Hour = 60 * Minute;
constexpr qint64 Day = 24 * Hour;

constexpr Delay Delays[] = {
    {"In 1 Minute", Minute, 0},        {"In 5 Minutes", 5 * Minute, 0}, {"in 15 Minutes", 15 * Minute, 0},
    {"in 30 Minutes", 30 * Minute, 0}, {"In 1 Hour", Hour, 0},          {"In 2 Hours", 2 * Hour, 0},
    {"In 6 Hours", 6 * Hour, 0},       {"In 12 Hours", 12 * Hour, 0},   {"In 1 Day", Day, 0},
    {"In 2 Days", 2 * Day, 0},         {"In 5 Days", 5 * Day, 0},       {"In 1 Week", 7 * Day, 0},
    {"In 2 Weeks", 14 * Day, 0},       {"In 3 Weeks", 21 * Day, 0},     {"In 1 Month", 0, 1},
};

} // namespace

QStringList quickScheduleDelayItems() {
    QStringList items{QuickScheduleNow};
    for (const Delay &delay : Delays)
        items << QLatin1String(delay.text);
    return items;
}

std::optional<QDateTime> quickScheduleTarget(const QString &delay, const QDateTime &now) {
    for (const Delay &d : Delays) {
        if (delay == QLatin1String(d.text)) {
            // Calendar arithmetic on the wall clock: "In 1 Day" is the same time tomorrow, and
            // a month later on the 31st is the last day of a shorter month.
            const QDateTime local(now.date(), now.time());
            if (d.months)
                return QDateTime(local.date().addMonths(d.months), local.time());
            const qint64 total = local.time().msecsSinceStartOfDay() / 1000 + d.seconds;
            return QDateTime(local.date().addDays(total / Day), QTime(0, 0).addSecs(total % Day));
        }
    }
    return std::nullopt;
}

QString generalTimeText(const QTime &time, const QLocale &locale) {
    QString form = locale.timeFormat(QLocale::ShortFormat);
    if (!form.contains(QLatin1Char('s')))
        form.replace(QStringLiteral("mm"), QStringLiteral("mm:ss"));
    QString text = locale.toString(time, form);
    text.replace(QChar(0x202F), QLatin1Char(' ')); // narrow no-break space before AM/PM
    return text;
}

ScheduleRow quickScheduleRow(const QString &action, const QString &delay, const QDateTime &now,
                             const QLocale &locale) {
    ScheduleRow row;
    row.name = QStringLiteral("Quick Schedule ") + formatShortDate(now.date(), locale) + QLatin1Char(' ') +
               generalTimeText(now.time(), locale);
    row.type = action;
    row.enabled = QStringLiteral("Yes");
    if (const auto target = quickScheduleTarget(delay, now))
        row.nextRunTime = nextRunTextFor(*target, locale);
    return row;
}

} // namespace vesperon
