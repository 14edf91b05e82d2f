#pragma once

#include "app/AppContext.h"
#include "app/TrayHost.h"
#include "app/frmMain.h"
#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/Shell.h"
#include "localization/LanguageEngine.h"
#include "localization/ProgramValues.h"
#include "power/RecordingOsPower.h"
#include "settings/SettingsBundle.h"
#include "support/CoreDoubles.h"
#include "support/QtPrinters.h"

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
    RecordingOsPower os;
    std::unique_ptr<settings::SettingsBundle> settings =
        settings::SettingsBundle::inMemory(prompt, "vesperon");
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
            AppContext{clock, prompt, shell, tray, os, *settings, *languages, values, AppFolder(dir.path())});
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
    QString user(const char *key, const char *fallback = "") {
        return settings->user().GetSetting(QStringLiteral("Vesperon"), QStringLiteral("Settings"),
                                           QLatin1String(key), QLatin1String(fallback));
    }
    QString program(const char *key, const char *fallback = "") {
        return settings->program().GetRegSetting(QStringLiteral("Vesperon"), QStringLiteral("Settings"),
                                                 QLatin1String(key), QLatin1String(fallback));
    }
    void setUser(const char *key, const QString &value) {
        settings->user().SaveSetting(QStringLiteral("Vesperon"), QStringLiteral("Settings"),
                                     QLatin1String(key), value);
    }
    void setProgram(const char *key, const QString &value) {
        settings->program().SaveRegSetting(QStringLiteral("Vesperon"), QStringLiteral("Settings"),
                                           QLatin1String(key), value);
    }
    template <typename T> T *control(const char *name) const {
        return window->findChild<T *>(QLatin1String(name));
    }
};

} // namespace vesperon::test
