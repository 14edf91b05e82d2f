#pragma once

// The settings seams on the Windows registry (windows.h, no Qt). The registry's own ways
// (value types, the size query before the read, handles) stay in here.

#include "settings/SettingsStore.h"
#include "settings/StartupEntries.h"

#include <string>

namespace vesperon::settings {

// The program scope is the key HKEY_LOCAL_MACHINE\SOFTWARE\<company>\<program>\Settings (both
// names trimmed of spaces); this user's is HKEY_CURRENT_USER\Software\VB and VBA Program
// Settings\<program>\Settings, where the platform runtime keeps per-user settings. Values are
// REG_SZ strings. A missing key or value, or a read that fails after the size query, is not
// there; a key that cannot be opened otherwise and a value of another type are failures with
// the system's error code or the value's type code.
class RegistrySettingsStore final : public SettingsStore {
public:
    RegistrySettingsStore(const std::string &companyName, const std::string &programName);

    StoreRead read(SettingsScope scope, const std::string &key) override;
    StoreWrite write(SettingsScope scope, const std::string &key, const std::string &text) override;

    const std::string &keyPath(SettingsScope scope) const;

private:
    std::string m_programKey;
    std::string m_userKey;
};

// Opened with its trailing backslash, as the system lists it.
inline constexpr const char *RunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\";

// The Run key under HKEY_LOCAL_MACHINE for all users, under HKEY_CURRENT_USER for this user.
// The program is registered under one when a value named after it exists, is a non-empty
// REG_SZ string, and its command line names the executable.
class RunKeyEntries final : public StartupEntries {
public:
    RunKeyEntries(const std::string &programName, std::string executableName);

    bool isRegisteredForAllUsers() override;
    bool isRegisteredForThisUser() override;

private:
    std::string m_valueName;
    std::string m_executableName;
};

} // namespace vesperon::settings
