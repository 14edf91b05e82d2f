#pragma once

// Plain C++ over windows.h (included only by the .cpp), so that it builds with mingw-w64
// and runs under Wine.

#include "power/PowerBackend.h"

#include <cstdint>

namespace vesperon {

namespace win32 {

inline constexpr std::uint32_t EwxLogoff = 0;
inline constexpr std::uint32_t EwxShutdown = 1;
inline constexpr std::uint32_t EwxReboot = 2;
inline constexpr std::uint32_t EwxForce = 4;
inline constexpr const char *HibernationFile = "c:\\hiberfil.sys";

// ExitWindowsEx's flags: how the logon ends (EWX_LOGOFF, EWX_SHUTDOWN or EWX_REBOOT), plus
// EWX_FORCE when forced.
std::uint32_t exitWindowsFlags(std::uint32_t how, bool force);

enum class PowerWindowAnswer { Deny, PassOn };

// What the main window's hooked procedure does with one message: a suspend query
// (WM_POWERBROADCAST with event data 0) is denied while sleep is blocked; everything else
// goes to the window's own procedure. wParam is deliberately not looked at.
PowerWindowAnswer powerWindowAnswer(std::uint32_t uMsg, std::uintptr_t wParam, std::intptr_t lParam,
                                    bool sleepBlocked);

// What the hooked procedure shares with the back end: whether sleep is blocked, and the
// window's own procedure (0 while the hook is not on the window).
struct PowerHookState {
    bool sleepBlocked = false;
    std::uintptr_t savedProcedure = 0;
};

} // namespace win32

// The power requests on Windows. Every action first enables the shutdown privilege on NT
// (GetVersionExA; OpenProcessToken, LookupPrivilegeValueA, AdjustTokenPrivileges,
// CloseHandle) and is forced: log off, shut down and reboot are ExitWindowsEx with flags 4,
// 5 and 6; stand by and hibernate are SetSystemPowerState(TRUE, TRUE) and (FALSE, TRUE).
// Hibernation is available when a listing of c:\hiberfil.sys finds it. Blocking sleep puts
// a procedure on the main window (SetWindowLongPtrA) that refuses the system's suspend
// queries; one back end at a time may hold it.
class Win32PowerBackend final : public PowerBackend {
public:
    Win32PowerBackend() = default;
    // Puts the window's own procedure back.
    ~Win32PowerBackend() override;
    Win32PowerBackend(const Win32PowerBackend &) = delete;
    Win32PowerBackend &operator=(const Win32PowerBackend &) = delete;

    PowerResult powerOff() override;
    PowerResult reboot() override;
    PowerResult logOff() override;
    PowerResult suspend() override;
    PowerResult hibernate() override;
    bool canHibernate() override;
    // Shut down and reboot need the shutdown privilege in this process's token (held, if not yet
    // enabled); stand by needs a sleep state the power capabilities report (GetPwrCapabilities);
    // hibernate follows the hibernation file as above. Answered at once.
    void queryAvailability(std::function<void(Availabilities)> answer) override;
    PowerResult setSleepBlocked(bool on) override;
    void setWindowHandle(std::uintptr_t hwnd) override { m_hwnd = hwnd; }

private:
    PowerResult exitWindows(std::uint32_t how);
    PowerResult setPowerState(bool suspend);

    std::uintptr_t m_hwnd = 0;
    win32::PowerHookState m_hook;
};

} // namespace vesperon
