#include "power/ModPower.h"

namespace vesperon {

bool IsWindowsNT(OsPower &os) {
    return os.versionPlatformId(win32::OsVersionInfoASize) == win32::PlatformWin32NT;
}

void EnableShutdownPrivilege(OsPower &os) {
    const std::uintptr_t token = os.openProcessToken(win32::TokenAdjustPrivileges | win32::TokenQuery);
    const std::optional<Luid> luid = os.lookupPrivilegeValue(std::string(), win32::ShutdownPrivilegeName);
    // An unknown privilege is adjusted with an all-zero LUID, which the system refuses.
    os.adjustTokenPrivileges(token, false, luid.value_or(Luid{}), win32::SePrivilegeEnabled,
                             win32::TokenPrivilegesOneEntrySize);
    if (token != 0)
        os.closeToken(token);
}

OsCallResult ExitWindowsAction(OsPower &os, std::int32_t type, bool force) {
    std::uint32_t flags = static_cast<std::uint32_t>(type);
    if (force)
        flags += win32::EwxForce;
    if (IsWindowsNT(os))
        EnableShutdownPrivilege(os);
    return os.exitWindowsEx(flags, 0);
}

OsCallResult SetPowerState(OsPower &os, bool suspend, bool force) {
    if (IsWindowsNT(os))
        EnableShutdownPrivilege(os);
    return os.setSystemPowerState(suspend, force);
}

bool HibernateAvailable(OsPower &os) {
    return os.fileListed(win32::HibernationFile);
}

PowerWindowAnswer PowerWindowProc(std::uint32_t uMsg, std::uintptr_t /*wParam*/, std::intptr_t lParam,
                                  bool disableSuspend) {
    if (uMsg == win32::WmPowerBroadcast && lParam == 0 && disableSuspend)
        return PowerWindowAnswer::Deny;
    return PowerWindowAnswer::PassOn;
}

} // namespace vesperon
