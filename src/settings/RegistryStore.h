#pragma once

// The program settings store: text values under
// HKEY_LOCAL_MACHINE\SOFTWARE\<company>\<application>\<section>, or whatever stands for that
// key on the Registry seam it is given. Plain C++; the Qt side wraps it in ProgramSettings.

#include "settings/Registry.h"
#include "settings/UserStore.h"

#include <cstdint>
#include <string>

namespace vesperon::settings {

// Error numbers the store reports, above the application error base.
inline constexpr std::uint32_t AppErrorBase = 0x80040000u;
inline constexpr std::uint32_t ErrAppNameEmpty = AppErrorBase + 1000; // 0x800403E8
inline constexpr std::uint32_t ErrSectionEmpty = AppErrorBase + 1001; // 0x800403E9
inline constexpr std::uint32_t ErrKeyEmpty = AppErrorBase + 1002;     // 0x800403EA
inline constexpr std::uint32_t ErrRegistryBase = AppErrorBase + 2000; // 0x800407D0 + code

// What a read gave: the text, or an error number with its message.
struct RegReadResult {
    std::string value;
    std::uint32_t error = 0;
    std::string message;
    bool failed() const { return error != 0; }
};

// Asks the user what to do about a write the account may not make.
class PermissionPrompt {
public:
    enum class Answer { Abort, Retry, Ignore };
    virtual ~PermissionPrompt() = default;
    virtual Answer ask(const std::string &text, const std::string &title) = 0;
};

inline constexpr const char *PermissionDeniedTitle = "Permission Denied";

// The prompt's text for a program of this name.
std::string permissionDeniedText(const std::string &programName);

class RegistryStore {
public:
    RegistryStore(Registry &registry, UserStore &userStore, PermissionPrompt &prompt, std::string companyName,
                  std::string programName);

    // One value; the default when the key or the value does not exist, "" for an empty value.
    // Blank names, a key that cannot be opened and a value that is not a string are errors.
    RegReadResult GetRegSetting(const std::string &appName, const std::string &section,
                                const std::string &key, const std::string &defaultValue);

    // Writes one value, creating the key as needed. A write the account may not make asks
    // the user (Abort / Retry / Ignore) unless they asked not to be told or the program
    // started hidden in the tray; nothing reaches the caller.
    void SaveRegSetting(const std::string &appName, const std::string &section, const std::string &key,
                        const std::string &setting);

    void setStartedHidden(bool startedHidden) { m_startedHidden = startedHidden; }

    // SOFTWARE\<company>\<application>\<section>, each part trimmed of spaces.
    std::string keyPath(const std::string &appName, const std::string &section) const;

private:
    // Whether a failed write should be given up (true) or tried again (false).
    bool giveUpAfterFailure();

    Registry &m_registry;
    UserStore &m_userStore;
    PermissionPrompt &m_prompt;
    std::string m_companyName;
    std::string m_programName;
    bool m_startedHidden = false;
    // Ignore pressed during this run: kept even when the per-user store cannot record it.
    bool m_ignoredThisRun = false;
};

} // namespace vesperon::settings
