#include "power/Win32PowerBackend.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// after windows.h, which it needs
#include <powrprof.h>

#include <vector>

namespace vesperon {

namespace win32 {

std::uint32_t exitWindowsFlags(std::uint32_t how, bool force) {
    return force ? how + EwxForce : how;
}

PowerWindowAnswer powerWindowAnswer(std::uint32_t uMsg, std::uintptr_t /*wParam*/, std::intptr_t lParam,
                                    bool sleepBlocked) {
    if (uMsg == WM_POWERBROADCAST && lParam == 0 && sleepBlocked)
        return PowerWindowAnswer::Deny;
    return PowerWindowAnswer::PassOn;
}

} // namespace win32

namespace {

static_assert(EWX_LOGOFF == win32::EwxLogoff && EWX_SHUTDOWN == win32::EwxShutdown &&
              EWX_REBOOT == win32::EwxReboot && EWX_FORCE == win32::EwxForce);
static_assert(sizeof(OSVERSIONINFOA) == 148);
static_assert(sizeof(TOKEN_PRIVILEGES) == 16); // the one-entry buffer for the previous state

// A scheduled action runs with nobody there to answer other programs: every action is forced.
constexpr bool Forced = true;

// The hooked procedure's view of the back end that installed it.
const win32::PowerHookState *g_hook = nullptr;

LRESULT CALLBACK powerWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const win32::PowerHookState *hook = g_hook;
    if (hook == nullptr || hook->savedProcedure == 0)
        return DefWindowProcA(hwnd, uMsg, wParam, lParam);
    if (win32::powerWindowAnswer(uMsg, wParam, lParam, hook->sleepBlocked) == win32::PowerWindowAnswer::Deny)
        return BROADCAST_QUERY_DENY;
    return CallWindowProcA(reinterpret_cast<WNDPROC>(hook->savedProcedure), hwnd, uMsg, wParam, lParam);
}

// "<call> failed with error <n>: <the system's description>".
std::string lastErrorText(const char *call) {
    const DWORD code = GetLastError();
    std::string text = std::string(call) + " failed with error " + std::to_string(code);
    char *description = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<LPSTR>(&description), 0, nullptr);
    if (length != 0 && description != nullptr) {
        std::string said(description, length);
        while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == ' '))
            said.pop_back();
        if (!said.empty())
            text += ": " + said;
    }
    if (description != nullptr)
        LocalFree(description);
    return text;
}

bool isWindowsNT() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    const BOOL ok = GetVersionExA(&info);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    return ok && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// The results are not examined: a privilege the system refuses shows up as a refused action.
void enableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        token = nullptr;
    LUID luid{};
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &luid))
        luid = LUID{}; // an all-zero LUID, which the system refuses
    TOKEN_PRIVILEGES newState{};
    newState.PrivilegeCount = 1;
    newState.Privileges[0].Luid = luid;
    newState.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TOKEN_PRIVILEGES previousState{};
    DWORD returnLength = 0;
    AdjustTokenPrivileges(token, FALSE, &newState, sizeof(previousState), &previousState, &returnLength);
    if (token != nullptr)
        CloseHandle(token);
}

// Whether this process's token lists the shutdown privilege at all; enabling it is left to the
// action itself.
bool holdsShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    LUID shutdown{};
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    bool held = false;
    if (size != 0 && LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &shutdown) &&
        GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
        const auto *privileges = reinterpret_cast<const TOKEN_PRIVILEGES *>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount && !held; ++i) {
            const LUID &luid = privileges->Privileges[i].Luid;
            held = luid.LowPart == shutdown.LowPart && luid.HighPart == shutdown.HighPart;
        }
    }
    CloseHandle(token);
    return held;
}

} // namespace

Win32PowerBackend::~Win32PowerBackend() {
    setSleepBlocked(false);
}

PowerResult Win32PowerBackend::exitWindows(std::uint32_t how) {
    const UINT flags = win32::exitWindowsFlags(how, Forced);
    if (isWindowsNT())
        enableShutdownPrivilege();
    if (!ExitWindowsEx(flags, 0))
        return PowerResult::refused(lastErrorText("ExitWindowsEx"));
    return PowerResult::done();
}

PowerResult Win32PowerBackend::setPowerState(bool suspend) {
    if (isWindowsNT())
        enableShutdownPrivilege();
    if (!SetSystemPowerState(suspend ? TRUE : FALSE, Forced ? TRUE : FALSE))
        return PowerResult::refused(lastErrorText("SetSystemPowerState"));
    return PowerResult::done();
}

PowerResult Win32PowerBackend::powerOff() {
    return exitWindows(EWX_SHUTDOWN);
}

PowerResult Win32PowerBackend::reboot() {
    return exitWindows(EWX_REBOOT);
}

PowerResult Win32PowerBackend::logOff() {
    return exitWindows(EWX_LOGOFF);
}

PowerResult Win32PowerBackend::suspend() {
    return setPowerState(true);
}

PowerResult Win32PowerBackend::hibernate() {
    return setPowerState(false);
}

bool Win32PowerBackend::canHibernate() {
    // FindFirstFile lists hidden and system files too.
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(win32::HibernationFile, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return found.cFileName[0] != '\0';
}

void Win32PowerBackend::queryAvailability(std::function<void(Availabilities)> answer) {
    Availabilities answers;
    answers.fill(Availability::Yes);
    const auto set = [&answers](PowerVerb verb, Availability availability) {
        answers[static_cast<std::size_t>(verb)] = availability;
    };
    const Availability shutdown = holdsShutdownPrivilege() ? Availability::Yes : Availability::NotAllowed;
    set(PowerVerb::PowerOff, shutdown);
    set(PowerVerb::Reboot, shutdown);
    SYSTEM_POWER_CAPABILITIES capabilities{};
    if (!GetPwrCapabilities(&capabilities))
        set(PowerVerb::Suspend, Availability::Unknown);
    else if (!capabilities.SystemS1 && !capabilities.SystemS2 && !capabilities.SystemS3)
        set(PowerVerb::Suspend, Availability::NotHere);
    set(PowerVerb::Hibernate, canHibernate() ? Availability::Yes : Availability::NotHere);
    answer(answers);
}

PowerResult Win32PowerBackend::setSleepBlocked(bool on) {
    m_hook.sleepBlocked = on;
    const HWND hwnd = reinterpret_cast<HWND>(m_hwnd);
    if (on && m_hook.savedProcedure == 0) {
        g_hook = &m_hook;
        const LONG_PTR previous =
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&powerWindowProc));
        if (previous == 0) {
            PowerResult refused = PowerResult::refused(lastErrorText("SetWindowLongPtrA"));
            g_hook = nullptr;
            return refused;
        }
        m_hook.savedProcedure = static_cast<std::uintptr_t>(previous);
    } else if (!on && m_hook.savedProcedure != 0) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, static_cast<LONG_PTR>(m_hook.savedProcedure));
        m_hook.savedProcedure = 0;
        if (g_hook == &m_hook)
            g_hook = nullptr;
    }
    return PowerResult::done();
}

} // namespace vesperon
