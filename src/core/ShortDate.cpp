#include "core/ShortDate.h"

#include <QRegularExpression>

namespace vesperon {

QString shortDateFormat(const QLocale &locale) {
    QString form = locale.dateFormat(QLocale::ShortFormat);
    form.remove(QLatin1Char(' '));
    // Widen a two-digit year ("yy" not part of "yyyy") to four digits.
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    form.replace(twoDigitYear, QStringLiteral("yyyy"));
    return form;
}

QString formatShortDate(const QDate &date, const QLocale &locale) {
    return locale.toString(date, shortDateFormat(locale));
}

std::optional<QDate> parseShortDate(const QString &text, const QLocale &locale) {
    if (text.isEmpty())
        return std::nullopt;
    const QDate date = locale.toDate(text, shortDateFormat(locale));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTimeOfDay(const QString &text) {
    if (text.isEmpty())
        return std::nullopt;
    for (const char *form : {"HH:mm:ss", "H:mm:ss", "HH:mm", "H:mm"}) {
        const QTime time = QTime::fromString(text, QLatin1String(form));
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

QString formatTimeOfDay(const QTime &time) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace vesperon
