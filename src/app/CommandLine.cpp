#include "app/CommandLine.h"

#include "core/ProductInfo.h"

namespace vesperon {

namespace {

CommandLine failure(const QString &error) {
    CommandLine result;
    result.mode = CommandLine::Mode::Error;
    result.error = error;
    return result;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments) {
    CommandLine result;
    bool list = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--list")) {
            list = true;
        } else if (argument == QLatin1String("--at")) {
            if (i + 1 >= arguments.size())
                return failure(QStringLiteral("--at needs a moment as \"yyyy-MM-dd HH:mm:ss\""));
            const QString text = arguments.at(++i);
            const QDateTime moment = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            // Schedule dates have four-digit years: a moment outside them cannot be compared.
            if (!moment.isValid() || moment.date().year() < 1 || moment.date().year() > 9999 ||
                !text.front().isDigit())
                return failure(
                    QStringLiteral("--at: \"%1\" is not a moment as \"yyyy-MM-dd HH:mm:ss\"").arg(text));
            result.at = moment;
        } else if (argument == QLatin1String("--history")) {
            if (arguments.size() != 1)
                return failure(QStringLiteral("--history goes alone"));
            result.mode = CommandLine::Mode::History;
            return result;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            result.mode = CommandLine::Mode::Help;
            return result;
        } else if (argument == QLatin1String("--version")) {
            result.mode = CommandLine::Mode::Version;
            return result;
        } else {
            return failure(QStringLiteral("unknown option \"%1\" (try --help)").arg(argument));
        }
    }
    if (result.at && !list)
        return failure(QStringLiteral("--at only goes with --list"));
    if (list)
        result.mode = CommandLine::Mode::List;
    return result;
}

QString commandLineHelp() {
    return QStringLiteral(
               "Usage: vesperon [--list [--at \"yyyy-MM-dd HH:mm:ss\"]] [--history] [--help] [--version]\n"
               "\n"
               "Without options, %1 starts in the system tray and runs your schedules.\n"
               "\n"
               "  --list       print every schedule, one per line: name, type, last run time,\n"
               "               next run time and enabled, separated by TABs\n"
               "  --at MOMENT  compute next runs as if it were MOMENT (with --list)\n"
               "  --history    print what became of every run, oldest first: time, outcome,\n"
               "               action, schedule and detail, separated by TABs\n"
               "  --help       show this text\n"
               "  --version    show the version\n")
        .arg(QLatin1String(product::ProgramName));
}

} // namespace vesperon
