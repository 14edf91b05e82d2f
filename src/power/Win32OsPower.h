#pragma once

#include "power/OsPower.h"

namespace vesperon {

// The power calls on Windows, made exactly as the power logic hands them over. Plain
// C++ over windows.h, so that it builds with mingw-w64 and runs under Wine.
class Win32OsPower final : public OsPower {
public:
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
};

} // namespace vesperon
