#include "app/CommandLine.h"

#include "core/ProductInfo.h"
#include "power/Actions.h"
#include "schedule/QuickSchedule.h"

#include <algorithm>

namespace vesperon {

namespace {

CommandLine failure(const QString &error) {
    CommandLine result;
    result.mode = CommandLine::Mode::Error;
    result.error = error;
    return result;
}

CommandLine notAnAction(const QString &text) {
    return failure(QStringLiteral("\"%1\" is not an action (Hibernate, Shut Down, Reboot, Log Off, Stand by)")
                       .arg(text));
}

CommandLine remote(const QString &method, const QVariantList &arguments = {}) {
    CommandLine result;
    result.mode = CommandLine::Mode::Remote;
    result.method = method;
    result.arguments = arguments;
    return result;
}

// A request to the running copy goes alone, with exactly its own values.
CommandLine remoteRequest(const QStringList &arguments) {
    const QString &verb = arguments.front();
    const qsizetype values = verb == QLatin1String("--quick")     ? 2
                             : verb == QLatin1String("--prevent") ? 1
                                                                  : 0;
    if (arguments.size() != 1 + values) {
        if (values == 2)
            return failure(QStringLiteral("--quick needs an action and a delay, and goes alone"));
        if (values == 1)
            return failure(QStringLiteral("--prevent needs on or off, and goes alone"));
        return failure(QStringLiteral("%1 goes alone").arg(verb));
    }
    if (verb == QLatin1String("--quick")) {
        const QString action = arguments.at(1);
        const QString delay = arguments.at(2);
        // The action box's and the delay box's own texts, case and all; the running copy has
        // the last word on actions this computer cannot do.
        if (!findPowerAction(action.toStdString()))
            return notAnAction(action);
        if (!quickScheduleDelayItems().contains(delay))
            return failure(QStringLiteral("\"%1\" is not a delay (Now, In 1 Minute, In 5 Minutes, in 15 "
                                          "Minutes, ... In 1 Month)")
                               .arg(delay));
        return remote(QStringLiteral("QuickSchedule"), {action, delay});
    }
    if (verb == QLatin1String("--prevent")) {
        const QString value = arguments.at(1);
        if (value != QLatin1String("on") && value != QLatin1String("off"))
            return failure(QStringLiteral("--prevent takes on or off, not \"%1\"").arg(value));
        return remote(QStringLiteral("SetPrevent"), {value == QLatin1String("on")});
    }
    if (verb == QLatin1String("--skip-next"))
        return remote(QStringLiteral("SkipNext"));
    if (verb == QLatin1String("--next"))
        return remote(QStringLiteral("NextAction"));
    return remote(QStringLiteral("Reload"));
}

// "mon,wed": weekday keys, in any case and order; nothing else.
std::optional<WeekdayChecks> weekdaysOf(const QString &list) {
    WeekdayChecks checks{};
    for (const QString &piece : list.split(QLatin1Char(','))) {
        const auto key = std::find_if(WeekdayKeys.cbegin(), WeekdayKeys.cend(), [&piece](const char *k) {
            return piece.compare(QLatin1String(k), Qt::CaseInsensitive) == 0;
        });
        if (key == WeekdayKeys.cend())
            return std::nullopt;
        checks[std::size_t(key - WeekdayKeys.cbegin())] = true;
    }
    return checks;
}

// "1,15": day numbers 1 to 31; nothing else.
std::optional<MonthDayChecks> monthDaysOf(const QString &list) {
    MonthDayChecks checks{};
    for (const QString &piece : list.split(QLatin1Char(','))) {
        bool number = false;
        const int day = piece.toInt(&number);
        if (!number || day < 1 || day > MonthDayCount)
            return std::nullopt;
        checks[std::size_t(day - 1)] = true;
    }
    return checks;
}

// --add NAME --action A --start "yyyy-MM-dd HH:mm" [--daily | --weekdays LIST | --monthdays LIST]:
// the entries a user would make in the wizard for an enabled schedule.
CommandLine addRequest(const QStringList &arguments) {
    CommandLine result;
    result.mode = CommandLine::Mode::Add;
    WizardEntries &entries = result.entries;
    if (arguments.size() < 2)
        return failure(QStringLiteral("--add needs a schedule name"));
    entries.name = arguments.at(1);
    if (entries.name.startsWith(QLatin1String("--")))
        return failure(QStringLiteral("--add needs a schedule name before \"%1\"").arg(entries.name));
    entries.scheduler = true;
    bool started = false;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        const bool daily = option == QLatin1String("--daily");
        if (!daily && i + 1 >= arguments.size())
            return failure(QStringLiteral("%1 needs a value").arg(option));
        const QString value = daily ? QString() : arguments.at(++i);
        if (option == QLatin1String("--action")) {
            if (!findPowerAction(value.toStdString()))
                return notAnAction(value);
            entries.action = value;
        } else if (option == QLatin1String("--start")) {
            // Date and time apart, as the wizard keeps them: a time a clock change skips is
            // still the time written.
            const QStringList parts = value.split(QLatin1Char(' '));
            const QDate date = QDate::fromString(parts.value(0), QStringLiteral("yyyy-MM-dd"));
            const QTime time = QTime::fromString(parts.value(1), QStringLiteral("HH:mm"));
            if (parts.size() != 2 || !date.isValid() || !time.isValid() || !value.front().isDigit())
                return failure(
                    QStringLiteral("--start: \"%1\" is not a moment as \"yyyy-MM-dd HH:mm\"").arg(value));
            entries.date = date;
            entries.time = time;
            started = true;
        } else if (daily || option == QLatin1String("--weekdays") || option == QLatin1String("--monthdays")) {
            if (entries.repeat)
                return failure(QStringLiteral("only one of --daily, --weekdays and --monthdays"));
            entries.repeat = true;
            if (option == QLatin1String("--weekdays")) {
                const auto days = weekdaysOf(value);
                if (!days)
                    return failure(
                        QStringLiteral("--weekdays takes keys like mon,wed,fri, not \"%1\"").arg(value));
                entries.repeatKind = ChosenWeekdays;
                entries.weekdays = *days;
            } else if (option == QLatin1String("--monthdays")) {
                const auto days = monthDaysOf(value);
                if (!days)
                    return failure(
                        QStringLiteral("--monthdays takes days 1 to 31 like 1,15, not \"%1\"").arg(value));
                entries.repeatKind = ChosenMonthDays;
                entries.days = *days;
            }
        } else {
            return failure(QStringLiteral("--add does not take \"%1\" (try --help)").arg(option));
        }
    }
    if (entries.action.isEmpty() || !started)
        return failure(QStringLiteral("--add needs --action and --start"));
    return result;
}

bool isRemoteVerb(const QString &argument) {
    for (const char *verb : {"--quick", "--skip-next", "--prevent", "--next", "--reload"}) {
        if (argument == QLatin1String(verb))
            return true;
    }
    return false;
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
        } else if (argument == QLatin1String("--add") || argument == QLatin1String("--remove")) {
            if (i != 0)
                return failure(QStringLiteral("%1 goes first").arg(argument));
            if (argument == QLatin1String("--add"))
                return addRequest(arguments);
            if (arguments.size() != 2)
                return failure(QStringLiteral("--remove needs one schedule name, and goes alone"));
            result.mode = CommandLine::Mode::Remove;
            result.entries.name = arguments.at(1);
            return result;
        } else if (isRemoteVerb(argument)) {
            if (i != 0)
                return failure(QStringLiteral("%1 goes alone").arg(argument));
            return remoteRequest(arguments);
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
               "       vesperon --quick ACTION DELAY | --skip-next | --prevent on|off | --next | --reload\n"
               "       vesperon --add NAME --action ACTION --start MOMENT [REPEAT] | --remove NAME\n"
               "\n"
               "Without options, %1 starts in the system tray and runs your schedules.\n"
               "\n"
               "  --list       print every schedule, one per line: name, type, last run time,\n"
               "               next run time and enabled (Yes, No, \"Yes (managed)\" for one your\n"
               "               administrator set up, or \"(hidden by a managed schedule)\"),\n"
               "               separated by TABs\n"
               "  --at MOMENT  compute next runs as if it were MOMENT (with --list)\n"
               "  --history    print what became of every run, oldest first: time, outcome,\n"
               "               action, schedule and detail, separated by TABs\n"
               "\n"
               "These ask the running %1 over the session bus (status 3 when it is not running):\n"
               "  --quick ACTION DELAY  add a quick schedule, with the texts of the main window's\n"
               "               boxes: ACTION Hibernate, \"Shut Down\", Reboot, \"Log Off\" or\n"
               "               \"Stand by\"; DELAY Now (at once), \"In 1 Minute\", \"In 5 Minutes\",\n"
               "               \"in 15 Minutes\", \"in 30 Minutes\", \"In 1 Hour\", ... \"In 1 Month\"\n"
               "  --skip-next  skip the next run\n"
               "  --prevent on|off  tick or clear \"Prevent any schedules from running\"\n"
               "  --next       print the next run: action, time (yyyy-MM-ddTHH:mm:ss) and schedule,\n"
               "               separated by TABs; nothing when none is planned\n"
               "  --reload     read the schedule files again\n"
               "\n"
               "These change the schedule files, as the schedule wizard and Delete do, and ask a\n"
               "running %1 to read them again:\n"
               "  --add NAME --action ACTION --start \"yyyy-MM-dd HH:mm\" [--daily | --weekdays LIST\n"
               "               | --monthdays LIST]  add an enabled schedule; without a repeat it runs\n"
               "               once; LIST is weekdays as mon,tue,wed,thu,fri,sat,sun or days of the\n"
               "               month as 1,15,31\n"
               "  --remove NAME  delete your schedule of that name\n"
               "\n"
               "  --help       show this text\n"
               "  --version    show the version\n"
               "\n"
               "Exit status: 0 done; 1 something could not be read, written or sent; 2 wrong\n"
               "arguments or a refused request; 3 the running %1 was needed and none runs.\n")
        .arg(QLatin1String(product::ProgramName));
}

} // namespace vesperon
