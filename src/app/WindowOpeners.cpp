#include "app/WindowOpeners.h"

#include "app/AppContext.h"
#include "app/frmMain.h"
#include "editor/ScheduleWizard.h"
#include "localization/LanguageEngine.h"
#include "localization/LanguageWindow.h"
#include "power/PowerBackend.h"
#include "presentation/AboutDialog.h"
#include "presentation/HelpLauncher.h"
#include "presentation/WebsiteLauncher.h"
#include "settings/SettingsBundle.h"

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

void installWizard(AppContext &context, frmMain &mainWindow) {
    auto open = std::make_shared<QPointer<ScheduleWizard>>();
    // Loads a wizard showing schedule; it stays hidden until someone shows it.
    const auto load = [&context, &mainWindow, open](ScheduleRecord *schedule) {
        auto *wizard = new ScheduleWizard(
            context.clock, context.prompt, context.languages, context.values, context.folder.dataFolder(),
            mainWindow.scheduleList(), [&mainWindow] { mainWindow.loadData(); }, &mainWindow);
        wizard->setAttribute(Qt::WA_DeleteOnClose);
        // A closed wizard is deleted later; from now on New or Edit load a fresh one.
        QObject::connect(wizard, &ScheduleWizard::unloaded, wizard, [open] { *open = nullptr; });
        *open = wizard;
        wizard->load(schedule, context.osPower.canHibernate());
    };
    context.open.wizard = [load, open](ScheduleRecord *schedule) {
        if (*open)
            (*open)->setEditing(schedule != nullptr);
        else
            load(schedule);
        bringForward(*open);
    };
    // The translation template must hold the wizard's texts.
    context.languages.setBeforeTemplate([load, open] {
        if (!*open)
            load(nullptr);
    });
}

void installLanguageWindow(AppContext &context, QWidget &mainWindow, HttpGet &http) {
    auto loaded = std::make_shared<QPointer<LanguageWindow>>();
    QPointer<QWidget> main(&mainWindow);
    context.open.language = [&context, &http, main, loaded](bool modal) {
        if (!*loaded) {
            *loaded = new LanguageWindow(context.languages, context.values, context.settings.user(),
                                         context.prompt, context.shell, http, main.data());
            (*loaded)->load();
        }
        LanguageWindow *window = *loaded;
        if (modal)
            window->exec();
        else
            bringForward(window);
    };
}

void installPresentationWindows(AppContext &context) {
    context.open.help = [&context] {
        openHelp(context.shell, context.folder.filePath(QStringLiteral("Help.chm")),
                 context.settings.program());
    };
    auto about = std::make_shared<QPointer<AboutDialog>>();
    context.open.about = [&context, about] {
        if (!*about)
            *about = new AboutDialog(context.languages, context.values);
        bringForward(*about);
    };
    auto website = std::make_shared<WebsiteLauncher>(context.shell, context.values);
    context.open.website = [website](const QString &mode) { website->launch(mode); };
}

} // namespace vesperon
