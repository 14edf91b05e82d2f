#include "app/WindowOpeners.h"

#include "app/HistoryWindow.h"
#include "app/MainWindow.h"
#include "app/RunGuard.h"
#include "editor/ScheduleWizard.h"
#include "localization/LanguageEngine.h"
#include "localization/LanguageWindow.h"
#include "presentation/AboutDialog.h"
#include "presentation/HelpLauncher.h"
#include "presentation/WebsiteLauncher.h"
#include "settings/OptionsDialog.h"
#include "settings/SettingsBundle.h"
#include "settings/WarningLeadGroup.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <memory>

namespace vesperon {

namespace {

void bringForward(QWidget *window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void installWindowOpeners(MainWindow &main, const MainWindowSeams &seams, HttpGet &http, const QIcon &icon) {
    installWizard(main, seams);
    installLanguageWindow(main, seams, http);
    installOptions(main, seams, icon);
    installPresentationWindows(main, seams);
}

void installWizard(MainWindow &main, const MainWindowSeams &seams) {
    auto open = std::make_shared<QPointer<ScheduleWizard>>();
    // Loads a wizard showing schedule; it stays hidden until someone shows it.
    const auto load = [&seams, &main, open](ScheduleRecord *schedule) {
        auto *wizard = new ScheduleWizard(
            seams.clock, seams.prompt, seams.languages, seams.values, seams.folder.dataFolder(),
            main.scheduleList(), [&main] { main.reloadSchedules(); }, &main);
        wizard->setAttribute(Qt::WA_DeleteOnClose);
        // A closed wizard is deleted later; from now on New or Edit load a fresh one.
        QObject::connect(wizard, &ScheduleWizard::unloaded, wizard, [open] { *open = nullptr; });
        *open = wizard;
        // The main window has asked the system already, without waiting for it.
        wizard->load(schedule, main.canHibernate());
        wizard->setActionNotes(main.runGuard().availability().notes());
    };
    main.openers().wizard = [load, open](ScheduleRecord *schedule) {
        if (*open)
            (*open)->setEditing(schedule != nullptr);
        else
            load(schedule);
        bringForward(*open);
    };
    // The translation template must hold the wizard's texts.
    seams.languages.setBeforeTemplate([load, open] {
        if (!*open)
            load(nullptr);
    });
}

void installLanguageWindow(MainWindow &main, const MainWindowSeams &seams, HttpGet &http) {
    auto loaded = std::make_shared<QPointer<LanguageWindow>>();
    QPointer<QWidget> mainWindow(&main);
    main.openers().language = [&seams, &http, mainWindow, loaded](bool modal) {
        if (!*loaded) {
            *loaded = new LanguageWindow(seams.languages, seams.values, seams.settings.user(), seams.prompt,
                                         seams.shell, http, mainWindow.data());
            (*loaded)->load();
        }
        LanguageWindow *window = *loaded;
        if (modal)
            window->exec();
        else
            bringForward(window);
    };
}

// The one options window, destroyed with the main window's openers.
struct OptionsWindowSlot {
    OptionsWindowSlot() = default;
    OptionsWindowSlot(const OptionsWindowSlot &) = delete;
    OptionsWindowSlot &operator=(const OptionsWindowSlot &) = delete;
    ~OptionsWindowSlot() { delete window.data(); }

    QPointer<OptionsDialog> window;
};

void installOptions(MainWindow &main, const MainWindowSeams &seams, const QIcon &icon) {
    auto slot = std::make_shared<OptionsWindowSlot>();
    main.openers().options = [&seams, slot, icon] {
        // A window closed a moment ago is hidden and waits to be destroyed: it is not reused.
        if (slot->window && slot->window->isVisible()) {
            slot->window->raise();
            slot->window->activateWindow();
            return;
        }
        auto *window = new OptionsDialog(seams.settings.program(), seams.settings.startup(), seams.languages,
                                         seams.values.CurrentLanguage);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowIcon(icon);
        settings::addWarningLeadGroup(*window, seams.settings.user());
        slot->window = window;
        window->load();
        window->show();
    };
}

void installPresentationWindows(MainWindow &main, const MainWindowSeams &seams) {
    WindowOpeners &open = main.openers();
    open.help = [&seams] {
#ifdef Q_OS_WIN
        const bool chmViewer = true;
#else
        const bool chmViewer = false;
#endif
        // An installed copy keeps the guide in its documentation folder, relative to the program.
        const QString installed = QDir(QCoreApplication::applicationDirPath())
                                      .filePath(QStringLiteral(VESPERON_GUIDE_FROM_PROGRAM));
        openHelp(seams.shell, seams.prompt, seams.languages,
                 helpDocuments(seams.folder.path(), {QDir::cleanPath(installed)}, chmViewer),
                 seams.settings.program());
    };
    auto about = std::make_shared<QPointer<AboutDialog>>();
    open.about = [&seams, about] {
        if (!*about)
            *about = new AboutDialog(seams.languages, seams.values);
        bringForward(*about);
    };
    auto website =
        std::make_shared<WebsiteLauncher>(seams.shell, seams.values, seams.prompt, seams.languages);
    open.website = [website](const QString &mode) { website->launch(mode); };
    installHistoryWindow(main, seams);
}

void installHistoryWindow(MainWindow &main, const MainWindowSeams &seams) {
    auto window = std::make_shared<QPointer<HistoryWindow>>();
    main.openers().history = [&main, &seams, window] {
        if (!*window)
            *window = new HistoryWindow(main.runGuard().history(), seams.languages, &main);
        else
            (*window)->reload();
        bringForward(*window);
    };
}

} // namespace vesperon
