#pragma once

// The program settings store: what the program reads and writes in the program scope, with
// its numbered errors on reading and the Permission Denied prompt on a failed write, the same
// over every back end (a denied INI write takes the same path as a denied registry write).
// Plain C++; the Qt side wraps it in ProgramSettings.

#include "settings/SettingsStore.h"

#include <cstdint>
#include <string>

namespace vesperon::settings {

// Error numbers the store reports, above the application error base.
inline constexpr std::uint32_t AppErrorBase = 0x80040000u;
inline constexpr std::uint32_t ErrKeyEmpty = AppErrorBase + 1002; // 0x800403EA
// Plus the back end's own code: 0x800407D5 for a section that cannot be opened for lack of
// access, 0x800407D4 for a registry value of type REG_DWORD.
inline constexpr std::uint32_t ErrStoreBase = AppErrorBase + 2000; // 0x800407D0

// What a read gave: the text, or an error number with its message.
struct ReadResult {
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

class ProgramStore {
public:
    ProgramStore(SettingsStore &store, PermissionPrompt &prompt, std::string programName);

    // One value; the default when it is not there, "" for an empty value. A blank key and a
    // failure of the back end are errors.
    ReadResult read(const std::string &key, const std::string &defaultValue);

    // Writes one value. A write that fails, for lack of access or otherwise, asks the user
    // (Abort / Retry / Ignore) unless they asked not to be told or the program started hidden
    // in the tray; nothing reaches the caller.
    void write(const std::string &key, const std::string &text);

    void setStartedHidden(bool startedHidden) { m_startedHidden = startedHidden; }

private:
    // Whether a failed write should be given up (true) or tried again (false).
    bool giveUpAfterFailure();

    SettingsStore &m_store;
    PermissionPrompt &m_prompt;
    std::string m_programName;
    bool m_startedHidden = false;
    // Ignore pressed during this run: kept even when this user's store cannot record it.
    bool m_ignoredThisRun = false;
};

} // namespace vesperon::settings
