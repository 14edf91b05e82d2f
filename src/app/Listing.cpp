#include "app/Listing.h"

namespace vesperon {

QString escapedForListing(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f || (c.unicode() >= 0x80 && c.unicode() < 0xa0))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString listingText(const ScheduleListModel &model) {
    QString text;
    for (int i = 0; i < model.rowCount(); ++i) {
        const ScheduleRow &row = model.row(i);
        // Enabled as the list shows it: "Yes", "No", or what marks a managed or hidden schedule.
        const QString enabled = model.index(i, ScheduleListModel::EnabledColumn).data().toString();
        QStringList columns;
        for (const QString &column : {row.name, row.type, row.lastRunTime, row.nextRunTime, enabled})
            columns << escapedForListing(column);
        text += columns.join(QLatin1Char('\t'));
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace vesperon
