#include "app/AppIcons.h"
#include "app/CommandLine.h"
#include "app/ControlAdaptor.h"
#include "app/ControlBus.h"
#include "app/DesktopSeams.h"
#include "app/Listing.h"
#include "app/MainWindow.h"
#include "app/OfflineEdits.h"
#include "app/QtTrayHost.h"
#include "app/SingleInstance.h"
#include "app/StartUp.h"
#include "core/AppFolder.h"
#include "core/Clock.h"
#include "core/ProductInfo.h"
#include "localization/LanguageEngine.h"
#include "localization/NetworkHttpGet.h"
#include "localization/ProgramValues.h"
#include "power/PlatformPowerBackend.h"
#include "presentation/SplashScreen.h"
#include "schedule/RunHistory.h"
#include "schedule/ScheduleList.h"
#include "settings/SettingsBundle.h"

#include <QApplication>
#include <QFile>
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
    const bool everythingRead =
        loadData(model, folder.dataFolder(), clock.now(), QLocale(), folder.managedDataFolders());
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(listingText(model).toUtf8()) < 0 ||
        !out.flush()) {
        QTextStream(stderr) << "vesperon: cannot write the listing: " << out.errorString() << '\n';
        return 1;
    }
    if (everythingRead)
        return 0;
    // What could be read is printed; what could not is named, and the status says so.
    QTextStream err(stderr);
    if (!dataFolderReadable(folder.dataFolder()))
        err << "vesperon: cannot read the schedule folder " << folder.dataFolder() << '\n';
    for (const ScheduleRow &row : model.rows()) {
        if (row.unreadable)
            err << "vesperon: cannot read the schedule file of " << escapedForListing(row.name) << '\n';
    }
    return 1;
}

int runHistory() {
    const RunHistory history(AppFolder::forThisProgram().filePath(QStringLiteral("history.log")));
    QFile out;
    const QString text = history.lines().join(QLatin1Char('\n'));
    if (!out.open(stdout, QIODevice::WriteOnly) ||
        out.write((text.isEmpty() ? text : text + QLatin1Char('\n')).toUtf8()) < 0 || !out.flush()) {
        QTextStream(stderr) << "vesperon: cannot write the history: " << out.errorString() << '\n';
        return 1;
    }
    return 0;
}

// --add and --remove change the files; a running copy is then asked to show the change at
// once (when none runs, the next start reads them anyway).
int runFileEdit(const CommandLine &command) {
    SystemClock clock;
    QTextStream err(stderr);
    const AppFolder folder = AppFolder::forThisProgram();
    const int status = command.mode == CommandLine::Mode::Add
                           ? addScheduleFile(command.entries, folder, clock.now(), err)
                           : removeScheduleFile(command.entries.name, folder, clock.now(), err);
    if (status == 0) {
        QString unused;
        QTextStream quiet(&unused);
        sendRemoteRequest(parseCommandLine({QStringLiteral("--reload")}), quiet, quiet);
    }
    return status;
}

int runDesktop(int argc, char *argv[]) {
    // A second copy ends here, before it shows anything or touches a setting.
    SingleInstance instance(SingleInstance::defaultLockFolder());
    if (!instance.acquired()) {
        // The running copy brings its window to the front; this one ends either way.
        QCoreApplication later(argc, argv);
        instance.askRunningCopyToShow();
        return 0;
    }

    QApplication app(argc, argv);
    setApplicationNames();
    QApplication::setQuitOnLastWindowClosed(false); // closing the window only hides it

    SystemClock clock;
    MessageBoxPrompt prompt;
    DesktopShell shell;
    QtTrayHost tray;
    const std::unique_ptr<PowerBackend> power = makePlatformPowerBackend();
    const std::unique_ptr<settings::SettingsBundle> settings =
        settings::SettingsBundle::forThisProgram(prompt);
    const AppFolder folder = AppFolder::forThisProgram();
    LanguageEngine languages(folder.filePath(QStringLiteral("Localization.txt")));
    settings->program().setMessageSource(
        [&languages](const QString &key) { return languages.getMessages(key); });
    const MainWindowSeams seams{clock,     prompt,    shell,           tray,  *power,
                                *settings, languages, programValues(), folder};
    NetworkHttpGet http;

    // The splash is the first window; after its last tick it loads the main window, which
    // from then on owns the program's life.
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<ControlService> control; // scripts reach the window through it: gone first
    SplashScreen splash(seams.values, [&]() -> QWidget * {
        mainWindow = loadMainWindow(seams, http, programIcon());
        prompt.setMainWindow(mainWindow.get());
        control = ControlService::publish(*mainWindow, QDBusConnection::sessionBus());
        QObject::connect(mainWindow.get(), &MainWindow::unloaded, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        return mainWindow->startedHidden() ? nullptr : mainWindow.get();
    });
    // A later start of the program brings the window up, with or without a tray.
    instance.listenForLaterCopies([&mainWindow] {
        if (mainWindow)
            mainWindow->bringToFront();
    });
    splash.start();
    splash.show();
    return app.exec();
}

} // namespace

int main(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = parseCommandLine(arguments);

    if (command.mode == CommandLine::Mode::Desktop)
        return runDesktop(argc, argv);

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
        return runListing(command);
    case CommandLine::Mode::History:
        return runHistory();
    case CommandLine::Mode::Add:
    case CommandLine::Mode::Remove:
        return runFileEdit(command);
    case CommandLine::Mode::Remote: {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return sendRemoteRequest(command, out, err);
    }
    case CommandLine::Mode::Desktop:
        break;
    }
    return 0;
}
