#pragma once

// The settings of one running program: the program and per-user stores and the run-at-start-up
// queries, over the platform's back ends. Created once by main() and handed down; tests build
// one on their own seams or on a temporary configuration folder.

#include "core/Prompt.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "settings/StartupEntries.h"

#include <QString>
#include <memory>

namespace vesperon::settings {

// Where the off-Windows back ends keep their files.
struct DesktopPaths {
    QString configDir; // ~/.config normally
    QString systemAutostartDir = QStringLiteral("/etc/xdg/autostart");
    QString userAutostartDir() const; // <config>/autostart
};

class SettingsBundle {
public:
    // On seams the caller owns and keeps alive as long as the bundle.
    SettingsBundle(SettingsStore &store, StartupEntries &startup, Prompt &prompt);
    ~SettingsBundle();
    SettingsBundle(const SettingsBundle &) = delete;
    SettingsBundle &operator=(const SettingsBundle &) = delete;

    // The platform's back ends, owned by the bundle: the registry on Windows; off Windows INI
    // files and autostart entries under paths.configDir (and paths.systemAutostartDir).
    static std::unique_ptr<SettingsBundle> forPlatform(Prompt &prompt, const DesktopPaths &paths,
                                                       const QString &executableName);
    // The running program's: the user's configuration folder and its own executable name.
    static std::unique_ptr<SettingsBundle> forThisProgram(Prompt &prompt);

    static DesktopPaths defaultPaths();
    // The file name without its extension.
    static QString executableNameOf(const QString &filePath);

    ProgramSettings &program() { return m_program; }
    UserSettings &user() { return m_user; }
    StartupEntries &startup() { return m_startup; }

private:
    SettingsBundle(std::unique_ptr<SettingsStore> store, std::unique_ptr<StartupEntries> startup,
                   Prompt &prompt);

    std::unique_ptr<SettingsStore> m_ownedStore;
    std::unique_ptr<StartupEntries> m_ownedStartup;
    StartupEntries &m_startup;
    ProgramSettings m_program;
    UserSettings m_user;
};

} // namespace vesperon::settings
