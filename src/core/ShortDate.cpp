#include "core/ShortDate.h"

#include <QRegularExpression>
#include <algorithm>

namespace vesperon {

namespace {

bool isDirectionMark(char32_t c) {
    return QChar::category(c) == QChar::Other_Format;
}

// A date form taken apart into numeric fields and the text between them, so that the
// scheduler can read dates many times a second without Qt's general parser. Direction marks
// are left out of the literal texts: readers pass over them.
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
        if (c == QLatin1Char('\'')) {
            // Quoted text is literal; two quotes in a row stand for one.
            qsizetype j = i + 1;
            for (; j < form.size(); ++j) {
                if (form.at(j) != QLatin1Char('\''))
                    literal += form.at(j);
                else if (j + 1 < form.size() && form.at(j + 1) == QLatin1Char('\''))
                    literal += form.at(++j);
                else
                    break;
            }
            if (j == i + 1 && j < form.size())
                literal += QLatin1Char('\''); // '' outside quotes
            i = j + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < form.size() && form.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
            if ((c != QLatin1Char('y') && run > 2) || (c == QLatin1Char('y') && run != 4))
                return {}; // names of days or months, or an unusual year
            const auto field = c == QLatin1Char('d')   ? NumericForm::Day
                               : c == QLatin1Char('M') ? NumericForm::Month
                                                       : NumericForm::Year;
            if (result.fields.contains(field))
                return {};
            if (result.fields.isEmpty())
                result.leading = literal;
            else
                result.separators << literal;
            literal.clear();
            result.widths << static_cast<int>(run);
            result.fields << field;
        } else if (!isDirectionMark(c.unicode())) {
            literal += QString(run, c);
        }
        i += run;
    }
    result.separators << literal;
    result.usable = result.fields.size() == 3;
    return result;
}

struct LocaleForm {
    QLocale locale;
    QString shown;
    QString stored;
    NumericForm numeric;
};

const LocaleForm &formFor(const QLocale &locale) {
    thread_local LocaleForm cache{QLocale::c(), QString(), QString(), {}};
    thread_local bool filled = false;
    if (!filled || !(cache.locale == locale)) {
        QString form = locale.dateFormat(QLocale::ShortFormat);
        form.remove(QLatin1Char(' '));
        // Widen a two-digit year ("yy" not part of "yyyy") to four digits.
        static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
        form.replace(twoDigitYear, QStringLiteral("yyyy"));
        QString stored;
        for (const QChar c : form) {
            if (!isDirectionMark(c.unicode()))
                stored += c;
        }
        cache = {locale, form, stored, analyse(form)};
        filled = true;
    }
    return cache;
}

struct StoredForm {
    QString form;
    NumericForm numeric;
};

const StoredForm &storedFormFor(const QString &form) {
    thread_local StoredForm cache;
    thread_local bool filled = false;
    if (!filled || cache.form != form) {
        cache = {form, analyse(form)};
        filled = true;
    }
    return cache;
}

// The text with every decimal digit as an ASCII digit and without direction marks. Most
// texts are plain ASCII already and come back as they are.
QString withAsciiDigits(const QString &text) {
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return text;
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (pair)
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
        if (QChar::category(c) == QChar::Number_DecimalDigit)
            result += QLatin1Char(static_cast<char>('0' + QChar::digitValue(c)));
        else if (!isDirectionMark(c))
            result += QStringView(text).mid(i, pair ? 2 : 1);
        if (pair)
            ++i;
    }
    return result;
}

// Reads 1 to maxDigits ASCII digits at pos; -1 when there are none.
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

QString formatNumeric(const QDate &date, const NumericForm &form) {
    QString text = form.leading;
    for (qsizetype i = 0; i < form.fields.size(); ++i) {
        const NumericForm::Field field = form.fields.at(i);
        const int value = field == NumericForm::Day     ? date.day()
                          : field == NumericForm::Month ? date.month()
                                                        : date.year();
        text += QString::number(value).rightJustified(form.widths.at(i), QLatin1Char('0'));
        text += form.separators.at(i);
    }
    return text;
}

std::optional<QDate> validDate(const QDate &date) {
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

QString shortDateFormat(const QLocale &locale) {
    return formFor(locale).shown;
}

QString formatShortDate(const QDate &date, const QLocale &locale) {
    return locale.toString(date, formFor(locale).shown);
}

std::optional<QDate> parseShortDate(const QString &text, const QLocale &locale) {
    if (text.isEmpty())
        return std::nullopt;
    const LocaleForm &form = formFor(locale);
    if (form.numeric.usable)
        return parseNumeric(withAsciiDigits(text), form.numeric);
    return validDate(locale.toDate(text, form.shown));
}

QString storedDateForm(const QLocale &locale) {
    return formFor(locale).stored;
}

QString formatStoredDate(const QDate &date, const QString &form) {
    const StoredForm &stored = storedFormFor(form);
    if (stored.numeric.usable)
        return formatNumeric(date, stored.numeric);
    return QLocale::c().toString(date, form);
}

std::optional<QDate> parseStoredDate(const QString &text, const QString &form) {
    if (text.isEmpty())
        return std::nullopt;
    const StoredForm &stored = storedFormFor(form);
    if (stored.numeric.usable)
        return parseNumeric(withAsciiDigits(text), stored.numeric);
    return validDate(QLocale::c().toDate(withAsciiDigits(text), form));
}

bool isUsableDateForm(const QString &form) {
    static const QRegularExpression unusable(QStringLiteral("\\s"));
    if (form.isEmpty() || form.contains(unusable))
        return false;
    const QDate sample(2026, 12, 7);
    return parseStoredDate(formatStoredDate(sample, form), form) == sample;
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
