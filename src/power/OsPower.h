#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vesperon {

// What an operating-system call answered: whether it did what was asked, and why not.
struct OsCallResult {
    bool ok = true;
    std::string error;

    static OsCallResult success() { return {}; }
    static OsCallResult failure(std::string why) { return {false, std::move(why)}; }
};

// A locally unique identifier, as LookupPrivilegeValueA returns it.
struct Luid {
    std::uint32_t lowPart = 0;
    std::int32_t highPart = 0;
    bool operator==(const Luid &) const = default;
};

// The state the power window procedure shares with CPower for the whole run: the
// "refuse suspend" flag, and the window procedure that was in place before the hook
// (0 while the hook is not installed).
struct PowerHookState {
    bool disableSuspend = false;
    std::uintptr_t savedProcedure = 0;
};

// The operating system's power calls. The power logic passes exactly the Win32 codes,
// sizes and flags to these calls on every platform; each back end turns them into its
// own system's requests (Win32 directly, logind over D-Bus elsewhere).
class OsPower {
public:
    virtual ~OsPower() = default;

    // GetVersionExA with an OSVERSIONINFOA whose size field holds osVersionInfoSize: the
    // dwPlatformId it reports, nothing when the call fails or the system has no such id.
    virtual std::optional<std::uint32_t> versionPlatformId(std::uint32_t osVersionInfoSize) = 0;

    // OpenProcessToken(GetCurrentProcess(), desiredAccess): the token, 0 on failure.
    virtual std::uintptr_t openProcessToken(std::uint32_t desiredAccess) = 0;
    virtual std::optional<Luid> lookupPrivilegeValue(const std::string &systemName,
                                                     const std::string &privilegeName) = 0;
    // AdjustTokenPrivileges with a one-entry TOKEN_PRIVILEGES (luid, attributes) and a
    // previous-state buffer of previousStateSize bytes.
    virtual bool adjustTokenPrivileges(std::uintptr_t token, bool disableAllPrivileges, const Luid &luid,
                                       std::uint32_t attributes, std::uint32_t previousStateSize) = 0;
    virtual void closeToken(std::uintptr_t token) = 0;

    virtual OsCallResult exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) = 0;
    virtual OsCallResult setSystemPowerState(bool suspend, bool force) = 0;

    // Whether a directory listing of path, hidden and system files included, finds a name.
    // Asked only for the hibernation file; a system without one answers whether it can
    // hibernate.
    virtual bool fileListed(const std::string &path) = 0;

    // Puts the power window procedure on window hwnd (SetWindowLongPtrA with GWLP_WNDPROC)
    // and returns the procedure it replaced, 0 when nothing was installed. The procedure
    // reads state for as long as it is installed. Elsewhere: starts refusing suspend
    // requests and returns a non-zero token.
    virtual std::uintptr_t installPowerWindowProc(std::uintptr_t hwnd, const PowerHookState &state) = 0;
    // Puts savedProcedure back on hwnd (SetWindowLongPtrA with GWLP_WNDPROC).
    virtual void restoreWindowProc(std::uintptr_t hwnd, std::uintptr_t savedProcedure) = 0;
};

} // namespace vesperon
