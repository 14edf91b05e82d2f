#pragma once

#include "power/OsPower.h"

#include <cstdint>
#include <string>

namespace vesperon {

// Win32 values the power calls are made with, whatever the platform.
namespace win32 {
inline constexpr std::uint32_t OsVersionInfoASize = 148; // sizeof(OSVERSIONINFOA)
inline constexpr std::uint32_t PlatformWin32NT = 2;      // VER_PLATFORM_WIN32_NT
inline constexpr std::uint32_t TokenAdjustPrivileges = 0x20;
inline constexpr std::uint32_t TokenQuery = 0x08;
inline constexpr std::uint32_t SePrivilegeEnabled = 2;
inline constexpr std::uint32_t TokenPrivilegesOneEntrySize = 16; // sizeof(TOKEN_PRIVILEGES)
inline constexpr const char *ShutdownPrivilegeName = "SeShutdownPrivilege";
inline constexpr std::uint32_t EwxLogoff = 0;
inline constexpr std::uint32_t EwxShutdown = 1;
inline constexpr std::uint32_t EwxReboot = 2;
inline constexpr std::uint32_t EwxForce = 4;
inline constexpr std::uint32_t WmPowerBroadcast = 0x218;
inline constexpr std::intptr_t BroadcastQueryDeny = 0x424D5144;
inline constexpr const char *HibernationFile = "c:\\hiberfil.sys";
} // namespace win32

// The power calls themselves, made through the operating system's seam.

// Whether the system reports the NT platform id.
bool IsWindowsNT(OsPower &os);

// Enables the shutdown privilege of this process's token. Failures are not examined: a
// refused privilege shows up as a refused action.
void EnableShutdownPrivilege(OsPower &os);

// Ends the logon: type 0 log off, 1 shut down, 2 reboot; force adds EWX_FORCE.
OsCallResult ExitWindowsAction(OsPower &os, std::int32_t type, bool force);

// Stand by (suspend true) or hibernate (suspend false).
OsCallResult SetPowerState(OsPower &os, bool suspend, bool force);

// Whether the hibernation file is there.
bool HibernateAvailable(OsPower &os);

// What the power window procedure does with one message.
enum class PowerWindowAnswer { Deny, PassOn };

// A suspend query (WM_POWERBROADCAST with event data 0) is denied while suspend is refused;
// everything else goes to the previous window procedure. wParam is deliberately not looked at.
PowerWindowAnswer PowerWindowProc(std::uint32_t uMsg, std::uintptr_t wParam, std::intptr_t lParam,
                                  bool disableSuspend);

} // namespace vesperon
