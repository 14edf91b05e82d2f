#pragma once

#include "power/OsPower.h"

#include <string>
#include <vector>

namespace vesperon {

// A stand-in for the operating system that records every power call as one line of text
// ("ExitWindowsEx(5, 0)") and answers as it is told. It also plays the window: messages
// sent to it go through the installed power window procedure, or to a previous procedure
// that answers previousProcedureAnswer.
class RecordingOsPower final : public OsPower {
public:
    std::vector<std::string> calls;

    std::optional<std::uint32_t> platformId = 2;
    OsCallResult exitWindowsResult;
    OsCallResult powerStateResult;
    bool hibernationFilePresent = false;
    std::uintptr_t previousProcedure = 0x1000; // what the window had before the hook
    std::intptr_t previousProcedureAnswer = 7;

    std::optional<std::uint32_t> versionPlatformId(std::uint32_t osVersionInfoSize) override;
    std::uintptr_t openProcessToken(std::uint32_t desiredAccess) override;
    std::optional<Luid> lookupPrivilegeValue(const std::string &systemName,
                                             const std::string &privilegeName) override;
    bool adjustTokenPrivileges(std::uintptr_t token, bool disableAllPrivileges, const Luid &luid,
                               std::uint32_t attributes, std::uint32_t previousStateSize) override;
    void closeToken(std::uintptr_t token) override;
    OsCallResult exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
    OsCallResult setSystemPowerState(bool suspend, bool force) override;
    bool fileListed(const std::string &path) override;
    std::uintptr_t installPowerWindowProc(std::uintptr_t hwnd, const PowerHookState &state) override;
    void restoreWindowProc(std::uintptr_t hwnd, std::uintptr_t savedProcedure) override;

    // Sends a message to the window: returns BROADCAST_QUERY_DENY or the previous
    // procedure's answer, and records "previous(<msg>, <lParam>)" when it got the message.
    std::intptr_t sendMessage(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

    bool hookInstalled() const { return m_hook != nullptr; }

private:
    const PowerHookState *m_hook = nullptr;
};

} // namespace vesperon
