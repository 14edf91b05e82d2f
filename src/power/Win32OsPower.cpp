#include "power/Win32OsPower.h"

#include "power/ModPower.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace vesperon {

namespace {

// The hook's view of the program-wide state; set while PowerWindowProc is installed.
const PowerHookState *g_hookState = nullptr;

LRESULT CALLBACK powerWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const PowerHookState *state = g_hookState;
    if (state == nullptr)
        return DefWindowProcA(hwnd, uMsg, wParam, lParam);
    if (PowerWindowProc(uMsg, wParam, lParam, state->disableSuspend) == PowerWindowAnswer::Deny)
        return win32::BroadcastQueryDeny;
    return CallWindowProcA(reinterpret_cast<WNDPROC>(state->savedProcedure), hwnd, uMsg, wParam, lParam);
}

std::string lastErrorText(const char *call) {
    return std::string(call) + " failed with error " + std::to_string(GetLastError());
}

} // namespace

std::optional<std::uint32_t> Win32OsPower::versionPlatformId(std::uint32_t osVersionInfoSize) {
    OSVERSIONINFOA info{};
    static_assert(sizeof(OSVERSIONINFOA) == win32::OsVersionInfoASize);
    info.dwOSVersionInfoSize = osVersionInfoSize;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    const BOOL ok = GetVersionExA(&info);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    if (!ok)
        return std::nullopt;
    return info.dwPlatformId;
}

std::uintptr_t Win32OsPower::openProcessToken(std::uint32_t desiredAccess) {
    static_assert((TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY) ==
                  (win32::TokenAdjustPrivileges | win32::TokenQuery));
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), desiredAccess, &token))
        return 0;
    return reinterpret_cast<std::uintptr_t>(token);
}

std::optional<Luid> Win32OsPower::lookupPrivilegeValue(const std::string &systemName,
                                                       const std::string &privilegeName) {
    LUID luid{};
    if (!LookupPrivilegeValueA(systemName.empty() ? nullptr : systemName.c_str(), privilegeName.c_str(),
                               &luid))
        return std::nullopt;
    return Luid{luid.LowPart, luid.HighPart};
}

bool Win32OsPower::adjustTokenPrivileges(std::uintptr_t token, bool disableAllPrivileges, const Luid &luid,
                                         std::uint32_t attributes, std::uint32_t previousStateSize) {
    static_assert(sizeof(TOKEN_PRIVILEGES) == win32::TokenPrivilegesOneEntrySize);
    static_assert(SE_PRIVILEGE_ENABLED == win32::SePrivilegeEnabled);
    TOKEN_PRIVILEGES newState{};
    newState.PrivilegeCount = 1;
    newState.Privileges[0].Luid.LowPart = luid.lowPart;
    newState.Privileges[0].Luid.HighPart = luid.highPart;
    newState.Privileges[0].Attributes = attributes;
    TOKEN_PRIVILEGES previousState{};
    DWORD returnLength = 0;
    const DWORD bufferLength =
        previousStateSize <= sizeof(previousState) ? previousStateSize : sizeof(previousState);
    return AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), disableAllPrivileges ? TRUE : FALSE,
                                 &newState, bufferLength, &previousState, &returnLength) != 0;
}

void Win32OsPower::closeToken(std::uintptr_t token) {
    CloseHandle(reinterpret_cast<HANDLE>(token));
}

OsCallResult Win32OsPower::exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
    static_assert(EWX_LOGOFF == win32::EwxLogoff && EWX_SHUTDOWN == win32::EwxShutdown &&
                  EWX_REBOOT == win32::EwxReboot && EWX_FORCE == win32::EwxForce);
    if (!ExitWindowsEx(flags, reserved))
        return OsCallResult::failure(lastErrorText("ExitWindowsEx"));
    return OsCallResult::success();
}

OsCallResult Win32OsPower::setSystemPowerState(bool suspend, bool force) {
    if (!SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE))
        return OsCallResult::failure(lastErrorText("SetSystemPowerState"));
    return OsCallResult::success();
}

bool Win32OsPower::fileListed(const std::string &path) {
    // FindFirstFile lists hidden and system files too.
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return found.cFileName[0] != '\0';
}

std::uintptr_t Win32OsPower::installPowerWindowProc(std::uintptr_t hwnd, const PowerHookState &state) {
    static_assert(WM_POWERBROADCAST == win32::WmPowerBroadcast &&
                  BROADCAST_QUERY_DENY == win32::BroadcastQueryDeny);
    g_hookState = &state;
    const LONG_PTR previous = SetWindowLongPtrA(reinterpret_cast<HWND>(hwnd), GWLP_WNDPROC,
                                                reinterpret_cast<LONG_PTR>(&powerWindowProc));
    if (previous == 0)
        g_hookState = nullptr;
    return static_cast<std::uintptr_t>(previous);
}

void Win32OsPower::restoreWindowProc(std::uintptr_t hwnd, std::uintptr_t savedProcedure) {
    SetWindowLongPtrA(reinterpret_cast<HWND>(hwnd), GWLP_WNDPROC, static_cast<LONG_PTR>(savedProcedure));
    g_hookState = nullptr;
}

} // namespace vesperon
