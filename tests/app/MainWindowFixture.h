#pragma once

#include "app/AppContext.h"
#include "app/ScriptedTrayHost.h"
#include "app/frmMain.h"
#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/Shell.h"
#include "localization/LanguageEngine.h"
#include "localization/ProgramValues.h"
#include "settings/SettingsBundle.h"
#include "settings/StoreText.h"
#include "support/CoreDoubles.h"
#include "support/PowerDoubles.h"
#include "support/QtPrinters.h"
#include "support/SettingsDoubles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace vesperon::test {

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
    std::unique_ptr<AppContext> context;
    std::unique_ptr<frmMain> window;
    QStringList opened; // "wizard", "language modal", "help", ...
    int unloadCount = 0;

    void SetUp() override {
        languages =
            std::make_unique<LanguageEngine>(dir.filePath(QStringLiteral("Localization.txt")), values);
        context = std::make_unique<AppContext>(
            AppContext{clock, prompt, shell, tray, power, *settings, *languages, values, AppFolder(dir.path())});
        context->open.wizard = [this](ScheduleRecord *schedule) {
            opened << QLatin1String(schedule ? "wizard edit" : "wizard new");
        };
        context->open.options = [this] { opened << QStringLiteral("options"); };
        context->open.language = [this](bool modal) {
            opened << QLatin1String(modal ? "language modal" : "language");
        };
        context->open.help = [this] { opened << QStringLiteral("help"); };
        context->open.about = [this] { opened << QStringLiteral("about"); };
        context->open.website = [this](const QString &mode) { opened << QStringLiteral("website ") + mode; };
    }

    // Builds and loads a main window as a program start does.
    frmMain &start() {
        window = std::make_unique<frmMain>(*context);
        QObject::connect(window.get(), &frmMain::unloaded, [this] { ++unloadCount; });
        window->Form_Load();
        if (!context->startedHidden)
            window->show();
        return *window;
    }

    QString dataFolder() const { return context->folder.dataFolder(); }
    // A setting as stored, under any spelling of its name; `fallback` when there is none.
    QString user(const char *key, const char *fallback = "") const {
        return stored(settings::SettingsScope::ThisUser, key, fallback);
    }
    QString program(const char *key, const char *fallback = "") const {
        return stored(settings::SettingsScope::Program, key, fallback);
    }
    void setUser(const char *key, const QString &value) {
        settingsStore.put(settings::SettingsScope::ThisUser, key, settings::toStoreText(value));
    }
    void setProgram(const char *key, const QString &value) {
        settingsStore.put(settings::SettingsScope::Program, key, settings::toStoreText(value));
    }
    QString stored(settings::SettingsScope scope, const char *key, const char *fallback) const {
        const MemorySettingsStore::Value *value = settingsStore.find(scope, key);
        return value ? settings::fromStoreText(value->text) : QLatin1String(fallback);
    }
    template <typename T> T *control(const char *name) const {
        return window->findChild<T *>(QLatin1String(name));
    }
};

} // namespace vesperon::test
