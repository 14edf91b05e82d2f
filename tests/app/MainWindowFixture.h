#pragma once

#include "app/MainWindow.h"
#include "app/RunGuard.h"
#include "app/TrayHost.h"
#include "core/Clock.h"
#include "localization/LanguageEngine.h"
#include "localization/ProgramValues.h"
#include "schedule/SchedulerCycle.h"
#include "settings/SettingsBundle.h"
#include "settings/StoreText.h"
#include "support/CoreDoubles.h"
#include "support/PowerDoubles.h"
#include "support/SettingsDoubles.h"
#include "support/Testing.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <memory>

namespace vesperon::test {

// A tray with scripted answers that records what it shows; a test clicks it by emitting the
// host's signals.
class ScriptedTrayHost final : public TrayHost {
public:
    using TrayHost::TrayHost;
    bool present = false;
    bool acceptAdd = true;
    QList<QPair<QString, QString>> notices;
    QList<QPair<QString, QString>> announcements;
    QString tooltip;

    bool add(const QString &tip, const QIcon &) override {
        present = present || acceptAdd;
        return acceptAdd && modify(tip);
    }
    bool modify(const QString &tip) override {
        if (present)
            tooltip = tip;
        return present;
    }
    void remove() override { present = false; }
    // A notice is seen while the icon is present.
    bool notify(const QString &title, const QString &text) override {
        notices.append({title, text});
        return present;
    }
    void announce(const QString &title, const QString &text) override { announcements.append({title, text}); }
};

// A main window on the offscreen platform with every seam replaced: a set clock, scripted
// prompts and tray, recorded shell and power calls, settings in memory, and an application
// folder of its own. The openers record which secondary window was asked for.
class MainWindowFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SettableClock clock{QDateTime(QDate(2026, 6, 10), QTime(14, 20, 30))};
    ScriptedPrompt prompt;
    RecordingShell shell;
    ScriptedTrayHost tray;
    RecordingPowerBackend power;
    MemorySettingsStore settingsStore;
    FixedStartupEntries startupEntries;
    std::unique_ptr<settings::SettingsBundle> settings =
        std::make_unique<settings::SettingsBundle>(settingsStore, startupEntries, prompt);
    ProgramValues values;
    std::unique_ptr<LanguageEngine> languages;
    std::unique_ptr<MainWindowSeams> seams;
    std::unique_ptr<MainWindow> window;
    QStringList opened; // "wizard new", "language modal", "help", ...
    int unloadCount = 0;

    void SetUp() override { useFolder(dir.path()); }

    // The application folder (and the languages read from it) a window built from now on uses.
    void useFolder(const QString &folder) {
        languages = std::make_unique<LanguageEngine>(folder + u"/Localization.txt"_s, values);
        seams = std::make_unique<MainWindowSeams>(MainWindowSeams{
            clock, prompt, shell, tray, power, *settings, *languages, values, AppFolder(folder)});
    }
    // Not the first start: no language window, no help.
    void notFirstStart() {
        setUser("Language", u"English"_s);
        setUser("showHelp", u"0"_s);
    }

    // Gives a freshly built window its openers; by default they record what was asked for.
    virtual void installOpeners(MainWindow &main) {
        WindowOpeners &open = main.openers();
        open.wizard = [this](ScheduleRecord *edit) { opened << (edit ? u"wizard edit"_s : u"wizard new"_s); };
        open.options = [this] { opened << u"options"_s; };
        open.language = [this](bool modal) { opened << (modal ? u"language modal"_s : u"language"_s); };
        open.help = [this] { opened << u"help"_s; };
        open.about = [this] { opened << u"about"_s; };
        open.website = [this](const QString &mode) { opened << u"website "_s + mode; };
    }

    // Builds a main window with its openers, not yet loaded.
    MainWindow &build() {
        window = std::make_unique<MainWindow>(*seams);
        QObject::connect(window.get(), &MainWindow::unloaded, [this] { ++unloadCount; });
        installOpeners(*window);
        return *window;
    }
    // Builds and loads a main window as a program start does.
    MainWindow &start() {
        build().load();
        if (!window->startedHidden())
            window->show();
        return *window;
    }

    // Chooses a menu item of the main window (File, Action or tray menu) by its group and index.
    void choose(const char *group, int index) const {
        for (QAction *item : window->findChildren<QAction *>(QLatin1String(group)))
            if (item->property("index").toInt() == index)
                return item->trigger();
        ADD_FAILURE() << group << index;
    }
    void clickButton(const char *name) const {
        auto *button = control<QAbstractButton>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Schedules action after delay with the main window's quick schedule.
    void quickSchedule(const char *action, const char *delay) const {
        auto *actions = control<QComboBox>("cbShutdown");
        actions->setCurrentIndex(actions->findText(QLatin1String(action)));
        control<QComboBox>("cmbTime")->setCurrentText(QLatin1String(delay));
        clickButton("cmdGo");
    }
    // The clock shows time on the fixture's day; the warner and the cycle do what they do then.
    void reach(const QTime &time) {
        clock.set(QDateTime(QDate(2026, 6, 10), time));
        window->runGuard().warner().check();
        window->cycle().tmrScheduler_Timer();
        window->cycle().tmrProcessSchedule_Timer();
        window->cycle().timSchedule_Timer();
    }
    // Clicks a row of the schedule list as the user does.
    void clickRow(int row) const {
        auto *list = control<QAbstractItemView>("lstSchedules");
        const QRect place = list->visualRect(list->model()->index(row, 0));
        ASSERT_TRUE(place.isValid()) << row;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    }

    QString dataFolder() const { return seams->folder.dataFolder(); }
    // A setting as stored; empty when there is none.
    QString user(const char *key) const { return stored(settings::SettingsScope::ThisUser, key); }
    QString program(const char *key) const { return stored(settings::SettingsScope::Program, key); }
    void setUser(const char *key, const QString &value) {
        settingsStore.put(settings::SettingsScope::ThisUser, key, settings::toStoreText(value));
    }
    void setProgram(const char *key, const QString &value) {
        settingsStore.put(settings::SettingsScope::Program, key, settings::toStoreText(value));
    }
    QString stored(settings::SettingsScope scope, const char *key) const {
        const MemorySettingsStore::Value *value = settingsStore.find(scope, key);
        return value ? settings::fromStoreText(value->text) : QString();
    }
    // The program's top-level windows of that name (shown or not).
    static QList<QWidget *> topLevels(const char *name) {
        QList<QWidget *> found;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String(name))
                found << top;
        return found;
    }
    template <typename T> T *control(const char *name) const {
        return window->findChild<T *>(QLatin1String(name));
    }
};

} // namespace vesperon::test
