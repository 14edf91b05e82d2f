#include "power/RecordingOsPower.h"

#include "power/ModPower.h"

namespace vesperon {

namespace {

std::string boolText(bool value) {
    return value ? "TRUE" : "FALSE";
}

std::string hex(std::uintmax_t value) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    return "0x" + text;
}

constexpr std::uintptr_t RecordedToken = 0x70;
constexpr Luid ShutdownLuid{19, 0};

} // namespace

std::optional<std::uint32_t> RecordingOsPower::versionPlatformId(std::uint32_t osVersionInfoSize) {
    calls.push_back("GetVersionExA(" + std::to_string(osVersionInfoSize) + ")");
    return platformId;
}

std::uintptr_t RecordingOsPower::openProcessToken(std::uint32_t desiredAccess) {
    calls.push_back("OpenProcessToken(" + hex(desiredAccess) + ")");
    return RecordedToken;
}

std::optional<Luid> RecordingOsPower::lookupPrivilegeValue(const std::string &systemName,
                                                           const std::string &privilegeName) {
    calls.push_back("LookupPrivilegeValueA(\"" + systemName + "\", \"" + privilegeName + "\")");
    return ShutdownLuid;
}

bool RecordingOsPower::adjustTokenPrivileges(std::uintptr_t token, bool disableAllPrivileges,
                                             const Luid &luid, std::uint32_t attributes,
                                             std::uint32_t previousStateSize) {
    calls.push_back("AdjustTokenPrivileges(" + hex(token) + ", " + boolText(disableAllPrivileges) + ", " +
                    (luid == ShutdownLuid ? "shutdown" : "other") + ", " + std::to_string(attributes) + ", " +
                    std::to_string(previousStateSize) + ")");
    return true;
}

void RecordingOsPower::closeToken(std::uintptr_t token) {
    calls.push_back("CloseHandle(" + hex(token) + ")");
}

OsCallResult RecordingOsPower::exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
    calls.push_back("ExitWindowsEx(" + std::to_string(flags) + ", " + std::to_string(reserved) + ")");
    return exitWindowsResult;
}

OsCallResult RecordingOsPower::setSystemPowerState(bool suspend, bool force) {
    calls.push_back("SetSystemPowerState(" + boolText(suspend) + ", " + boolText(force) + ")");
    return powerStateResult;
}

bool RecordingOsPower::fileListed(const std::string &path) {
    calls.push_back("Dir(" + path + ")");
    return hibernationFilePresent;
}

std::uintptr_t RecordingOsPower::installPowerWindowProc(std::uintptr_t hwnd, const PowerHookState &state) {
    calls.push_back("SetWindowLongPtrA(" + hex(hwnd) + ", GWLP_WNDPROC, PowerWindowProc)");
    m_hook = &state;
    return previousProcedure;
}

void RecordingOsPower::restoreWindowProc(std::uintptr_t hwnd, std::uintptr_t savedProcedure) {
    calls.push_back("SetWindowLongPtrA(" + hex(hwnd) + ", GWLP_WNDPROC, " + hex(savedProcedure) + ")");
    if (savedProcedure == previousProcedure)
        m_hook = nullptr;
}

std::intptr_t RecordingOsPower::sendMessage(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    if (m_hook && PowerWindowProc(msg, wParam, lParam, m_hook->disableSuspend) == PowerWindowAnswer::Deny)
        return win32::BroadcastQueryDeny;
    calls.push_back("previous(" + hex(msg) + ", " + std::to_string(lParam) + ")");
    return previousProcedureAnswer;
}

} // namespace vesperon
