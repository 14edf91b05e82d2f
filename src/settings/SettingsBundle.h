#pragma once

// The settings of one running program: the program store, the per-user store and the
// run-at-start-up queries, on the platform's back ends. Created once by main() and handed
// down; tests build one on a temporary configuration folder or wholly in memory.

#include "core/Prompt.h"
#include "settings/IniRegistry.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "settings/UserStore.h"

#include <QString>
#include <memory>

namespace vesperon::settings {

class SettingsBundle {
public:
    // Back ends chosen by the caller (the bundle owns them).
    SettingsBundle(std::unique_ptr<Registry> registry, std::unique_ptr<UserStore> userStore, Prompt &prompt,
                   QString executableName);

    // The platform's stores: the registry on Windows; off Windows INI files and autostart
    // entries under paths.configDir (and paths.systemAutostartDir).
    static std::unique_ptr<SettingsBundle> forPlatform(Prompt &prompt, const DesktopPaths &paths,
                                                       const QString &executableName);
    // The running program's: the user's configuration folder and its own executable name.
    static std::unique_ptr<SettingsBundle> forThisProgram(Prompt &prompt);
    // Everything in memory (MemoryRegistry, MemoryUserStore), for window tests.
    static std::unique_ptr<SettingsBundle> inMemory(Prompt &prompt, const QString &executableName);

    static DesktopPaths defaultPaths();
    // The file name without its extension.
    static QString executableNameOf(const QString &filePath);

    ProgramSettings &program() { return m_program; }
    UserSettings &user() { return m_user; }
    Registry &registry() { return *m_registry; }
    UserStore &userStore() { return *m_userStore; }

    bool IsInRunAllUsers();
    bool IsInRunThisUser();

private:
    std::unique_ptr<Registry> m_registry;
    std::unique_ptr<UserStore> m_userStore;
    QString m_executableName;
    ProgramSettings m_program;
    UserSettings m_user;
};

} // namespace vesperon::settings
