#include "app/CommandLine.h"
#include "app/Listing.h"
#include "core/AppFolder.h"
#include "core/Clock.h"
#include "core/ProductInfo.h"
#include "schedule/ScheduleList.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace vesperon;

namespace {

void setApplicationNames() {
    QCoreApplication::setApplicationName(QLatin1String(product::ProgramName));
    QCoreApplication::setOrganizationName(QLatin1String(product::CompanyName));
    QCoreApplication::setApplicationVersion(QLatin1String(product::Version));
}

int runListing(const CommandLine &command) {
    const AppFolder folder = AppFolder::forThisProgram();
    SystemClock systemClock;
    SettableClock setClock(command.at.value_or(QDateTime()));
    const Clock &clock = command.at ? static_cast<const Clock &>(setClock) : systemClock;
    ScheduleListModel model;
    loadData(model, folder.dataFolder(), clock.now());
    QTextStream(stdout) << listingText(model);
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = parseCommandLine(arguments);

    QCoreApplication app(argc, argv);
    setApplicationNames();
    switch (command.mode) {
    case CommandLine::Mode::Error:
        QTextStream(stderr) << "vesperon: " << command.error << '\n';
        return 2;
    case CommandLine::Mode::Help:
        QTextStream(stdout) << commandLineHelp();
        return 0;
    case CommandLine::Mode::Version:
        QTextStream(stdout) << product::ProgramName << ' ' << product::Version << '\n';
        return 0;
    case CommandLine::Mode::List:
    case CommandLine::Mode::Desktop:
        // The desktop program comes with the main window; until then both list the schedules.
        return runListing(command);
    }
    return 0;
}
