#include "core/ShortDate.h"

#include <QRegularExpression>

namespace vesperon {

namespace {

// A short date format taken apart into numeric fields and the separators between them,
// so that the scheduler can read dates many times a second without Qt's general parser.
struct NumericForm {
    enum Field { Day, Month, Year };
    QList<Field> fields;    // in the order they appear
    QList<int> widths;      // 1 or 2 for day and month ("d" or "dd"), 4 for the year
    QStringList separators; // separators[i] follows fields[i]; the last one is the tail
    QString leading;        // text before the first field
    bool usable = false;    // false when the form has month or day names
};

NumericForm analyse(const QString &form) {
    NumericForm result;
    QString literal;
    for (qsizetype i = 0; i < form.size();) {
        const QChar c = form.at(i);
        qsizetype run = 1;
        while (i + run < form.size() && form.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
            if ((c != QLatin1Char('y') && run > 2) || (c == QLatin1Char('y') && run != 4))
                return {}; // names of days or months, or an unusual year
            if (result.fields.isEmpty())
                result.leading = literal;
            else
                result.separators << literal;
            literal.clear();
            result.widths << static_cast<int>(run);
            result.fields << (c == QLatin1Char('d')   ? NumericForm::Day
                              : c == QLatin1Char('M') ? NumericForm::Month
                                                      : NumericForm::Year);
        } else if (c == QLatin1Char('\'')) {
            return {}; // quoted text: leave it to Qt
        } else {
            literal += QString(run, c);
        }
        i += run;
    }
    result.separators << literal;
    result.usable = result.fields.size() == 3;
    return result;
}

struct CachedForm {
    QLocale locale;
    QString form;
    NumericForm numeric;
};

const CachedForm &formFor(const QLocale &locale) {
    thread_local CachedForm cache{QLocale::c(), QString(), {}};
    thread_local bool filled = false;
    if (!filled || !(cache.locale == locale)) {
        QString form = locale.dateFormat(QLocale::ShortFormat);
        form.remove(QLatin1Char(' '));
        // Widen a two-digit year ("yy" not part of "yyyy") to four digits.
        static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
        form.replace(twoDigitYear, QStringLiteral("yyyy"));
        cache = {locale, form, analyse(form)};
        filled = true;
    }
    return cache;
}

// Reads 1 to maxDigits decimal digits at pos; -1 when there are none.
int readNumber(const QString &text, qsizetype &pos, int maxDigits) {
    int value = 0;
    int digits = 0;
    while (pos < text.size() && digits < maxDigits && text.at(pos).isDigit() &&
           text.at(pos).unicode() < 128) {
        value = value * 10 + (text.at(pos).unicode() - '0');
        ++pos;
        ++digits;
    }
    return digits == 0 ? -1 : value;
}

bool readLiteral(const QString &text, qsizetype &pos, const QString &literal) {
    if (!QStringView(text).mid(pos).startsWith(literal))
        return false;
    pos += literal.size();
    return true;
}

std::optional<QDate> parseNumeric(const QString &text, const NumericForm &form) {
    qsizetype pos = 0;
    if (!readLiteral(text, pos, form.leading))
        return std::nullopt;
    int day = -1, month = -1, year = -1;
    for (qsizetype i = 0; i < form.fields.size(); ++i) {
        const bool isYear = form.fields.at(i) == NumericForm::Year;
        const qsizetype start = pos;
        const int value = readNumber(text, pos, isYear ? 4 : 2);
        if (value < 0 || (isYear && pos - start != 4))
            return std::nullopt;
        (form.fields.at(i) == NumericForm::Day     ? day
         : form.fields.at(i) == NumericForm::Month ? month
                                                   : year) = value;
        if (!readLiteral(text, pos, form.separators.at(i)))
            return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

QString shortDateFormat(const QLocale &locale) {
    return formFor(locale).form;
}

QString formatShortDate(const QDate &date, const QLocale &locale) {
    return locale.toString(date, formFor(locale).form);
}

std::optional<QDate> parseShortDate(const QString &text, const QLocale &locale) {
    if (text.isEmpty())
        return std::nullopt;
    const CachedForm &form = formFor(locale);
    if (form.numeric.usable)
        return parseNumeric(text, form.numeric);
    const QDate date = locale.toDate(text, form.form);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTimeOfDay(const QString &text) {
    // H:mm, H:mm:ss with one or two hour digits.
    qsizetype pos = 0;
    const int hour = readNumber(text, pos, 2);
    if (hour < 0 || !readLiteral(text, pos, QStringLiteral(":")))
        return std::nullopt;
    const qsizetype minuteStart = pos;
    const int minute = readNumber(text, pos, 2);
    if (minute < 0 || pos - minuteStart != 2)
        return std::nullopt;
    int second = 0;
    if (pos < text.size()) {
        if (!readLiteral(text, pos, QStringLiteral(":")))
            return std::nullopt;
        const qsizetype secondStart = pos;
        second = readNumber(text, pos, 2);
        if (second < 0 || pos - secondStart != 2 || pos != text.size())
            return std::nullopt;
    }
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

QString formatTimeOfDay(const QTime &time) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace vesperon
