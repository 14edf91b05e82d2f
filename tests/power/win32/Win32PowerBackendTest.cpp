// Runs under Wine: the Win32 power back end against Wine's real windows, messages, files and
// process token. Plain C++ with its own small checks, since the Windows build has no test
// framework.
//
// The exact arguments of the power calls are the point, and the power calls must not reach
// even Wine: while a Recording lives, this program's import table entries for the calls the
// back end makes point at recorders here. The version and token calls are passed on to Wine
// after they are recorded; ExitWindowsEx and SetSystemPowerState only answer as told.

#include "power/Win32PowerBackend.h"
#include "power/PowerController.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

extern "C" {
extern decltype(&GetVersionExA) __imp_GetVersionExA;
extern decltype(&OpenProcessToken) __imp_OpenProcessToken;
extern decltype(&LookupPrivilegeValueA) __imp_LookupPrivilegeValueA;
extern decltype(&AdjustTokenPrivileges) __imp_AdjustTokenPrivileges;
extern decltype(&CloseHandle) __imp_CloseHandle;
extern decltype(&ExitWindowsEx) __imp_ExitWindowsEx;
extern decltype(&SetSystemPowerState) __imp_SetSystemPowerState;
}

using namespace vesperon;

namespace {

int g_failures = 0;
int g_checks = 0;

#define CHECK(condition)                                                                                     \
    do {                                                                                                     \
        ++g_checks;                                                                                          \
        if (!(condition)) {                                                                                  \
            ++g_failures;                                                                                    \
            std::printf("FAILED %s:%d: %s\n", __FILE__, __LINE__, #condition);                               \
        }                                                                                                    \
    } while (0)

// ---- Recording the back end's calls

std::vector<std::string> g_calls;
DWORD g_platformId = VER_PLATFORM_WIN32_NT; // what GetVersionExA reports
BOOL g_powerAnswer = TRUE;                  // what ExitWindowsEx and SetSystemPowerState answer
DWORD g_powerError = 0;                     // and the error they leave when they refuse
HANDLE g_token = nullptr;                   // the token OpenProcessToken gave last

struct Imports {
    decltype(&GetVersionExA) getVersionExA;
    decltype(&OpenProcessToken) openProcessToken;
    decltype(&LookupPrivilegeValueA) lookupPrivilegeValueA;
    decltype(&AdjustTokenPrivileges) adjustTokenPrivileges;
    decltype(&CloseHandle) closeHandle;
    decltype(&ExitWindowsEx) exitWindowsEx;
    decltype(&SetSystemPowerState) setSystemPowerState;
};
Imports g_real;

std::string hex(unsigned long value) {
    char text[20];
    std::snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

const char *boolText(BOOL value) {
    return value ? "TRUE" : "FALSE";
}

bool isShutdownPrivilege(const LUID &luid) {
    LUID shutdown{};
    g_real.lookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &shutdown);
    return luid.LowPart == shutdown.LowPart && luid.HighPart == shutdown.HighPart;
}

BOOL WINAPI recordGetVersionExA(LPOSVERSIONINFOA info) {
    g_calls.push_back("GetVersionExA(" + std::to_string(info->dwOSVersionInfoSize) + ")");
    const BOOL ok = g_real.getVersionExA(info);
    info->dwPlatformId = g_platformId;
    return ok;
}

BOOL WINAPI recordOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
    g_calls.push_back(std::string("OpenProcessToken(") +
                      (process == GetCurrentProcess() ? "this process" : "another process") + ", " +
                      hex(access) + ")");
    const BOOL ok = g_real.openProcessToken(process, access, token);
    g_token = ok ? *token : nullptr;
    return ok;
}

BOOL WINAPI recordLookupPrivilegeValueA(LPCSTR systemName, LPCSTR name, PLUID luid) {
    g_calls.push_back(std::string("LookupPrivilegeValueA(") +
                      (systemName ? "\"" + std::string(systemName) + "\"" : std::string("NULL")) + ", \"" +
                      name + "\")");
    return g_real.lookupPrivilegeValueA(systemName, name, luid);
}

BOOL WINAPI recordAdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState,
                                        DWORD bufferLength, PTOKEN_PRIVILEGES previousState,
                                        PDWORD returnLength) {
    std::string call = std::string("AdjustTokenPrivileges(") + (token == g_token ? "token" : "other") + ", " +
                       boolText(disableAll) + ", " + std::to_string(newState->PrivilegeCount) + " x ";
    for (DWORD i = 0; i < newState->PrivilegeCount; ++i)
        call += std::string(isShutdownPrivilege(newState->Privileges[i].Luid) ? "shutdown" : "other") + " " +
                std::to_string(newState->Privileges[i].Attributes) + ", ";
    g_calls.push_back(call + std::to_string(bufferLength) + ")");
    return g_real.adjustTokenPrivileges(token, disableAll, newState, bufferLength, previousState,
                                        returnLength);
}

BOOL WINAPI recordCloseHandle(HANDLE handle) {
    if (handle != nullptr && handle == g_token) {
        g_calls.push_back("CloseHandle(token)");
        g_token = nullptr;
    }
    return g_real.closeHandle(handle);
}

BOOL powerAnswer() {
    if (!g_powerAnswer)
        SetLastError(g_powerError);
    return g_powerAnswer;
}

BOOL WINAPI recordExitWindowsEx(UINT flags, DWORD reserved) {
    g_calls.push_back("ExitWindowsEx(" + std::to_string(flags) + ", " + std::to_string(reserved) + ")");
    return powerAnswer();
}

BOOL WINAPI recordSetSystemPowerState(BOOL suspend, BOOL force) {
    g_calls.push_back(std::string("SetSystemPowerState(") + boolText(suspend) + ", " + boolText(force) + ")");
    return powerAnswer();
}

template <typename Function> void point(Function &entry, Function to) {
    DWORD protection = 0;
    VirtualProtect(&entry, sizeof entry, PAGE_READWRITE, &protection);
    entry = to;
    VirtualProtect(&entry, sizeof entry, protection, &protection);
}

void pointImportsAt(const Imports &to) {
    point(__imp_GetVersionExA, to.getVersionExA);
    point(__imp_OpenProcessToken, to.openProcessToken);
    point(__imp_LookupPrivilegeValueA, to.lookupPrivilegeValueA);
    point(__imp_AdjustTokenPrivileges, to.adjustTokenPrivileges);
    point(__imp_CloseHandle, to.closeHandle);
    point(__imp_ExitWindowsEx, to.exitWindowsEx);
    point(__imp_SetSystemPowerState, to.setSystemPowerState);
}

// Records the back end's calls for as long as it lives, on an NT platform whose power calls
// succeed unless told otherwise.
class Recording {
public:
    Recording() {
        g_calls.clear();
        g_platformId = VER_PLATFORM_WIN32_NT;
        g_powerAnswer = TRUE;
        g_real = {__imp_GetVersionExA,         __imp_OpenProcessToken, __imp_LookupPrivilegeValueA,
                  __imp_AdjustTokenPrivileges, __imp_CloseHandle,      __imp_ExitWindowsEx,
                  __imp_SetSystemPowerState};
        pointImportsAt({recordGetVersionExA, recordOpenProcessToken, recordLookupPrivilegeValueA,
                        recordAdjustTokenPrivileges, recordCloseHandle, recordExitWindowsEx,
                        recordSetSystemPowerState});
    }
    ~Recording() { pointImportsAt(g_real); }
    Recording(const Recording &) = delete;
    Recording &operator=(const Recording &) = delete;
};

bool shutdownPrivilegeEnabled() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    PRIVILEGE_SET privileges{};
    privileges.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privilege[0].Luid);
    BOOL enabled = FALSE;
    PrivilegeCheck(token, &privileges, &enabled);
    CloseHandle(token);
    return enabled;
}

// ---- The power actions

void everyActionIsForcedAfterTheShutdownPrivilegeIsEnabled() {
    const std::vector<std::string> privilege = {"GetVersionExA(148)", "OpenProcessToken(this process, 0x28)",
                                                "LookupPrivilegeValueA(NULL, \"SeShutdownPrivilege\")",
                                                "AdjustTokenPrivileges(token, FALSE, 1 x shutdown 2, 16)",
                                                "CloseHandle(token)"};
    const struct {
        const char *name;
        const char *call;
    } cases[] = {{"Shut Down", "ExitWindowsEx(5, 0)"},
                 {"Reboot", "ExitWindowsEx(6, 0)"},
                 {"Log Off", "ExitWindowsEx(4, 0)"},
                 {"Stand by", "SetSystemPowerState(TRUE, TRUE)"},
                 {"Hibernate", "SetSystemPowerState(FALSE, TRUE)"}};
    CHECK(!shutdownPrivilegeEnabled());
    Win32PowerBackend backend;
    PowerController power(backend);
    for (const auto &c : cases) {
        std::vector<std::string> expected = privilege;
        expected.push_back(c.call);
        Recording recording;
        CHECK(power.perform(c.name).requested());
        CHECK(g_calls == expected);
        if (g_calls != expected) {
            for (const std::string &call : g_calls)
                std::printf("  %s: %s\n", c.name, call.c_str());
        }
    }
    CHECK(shutdownPrivilegeEnabled()); // the token calls did what they were for
}

void outsideNtNoTokenFunctionIsCalled() {
    Win32PowerBackend backend;
    Recording recording;
    g_platformId = VER_PLATFORM_WIN32_WINDOWS;
    CHECK(backend.reboot().ok);
    CHECK(backend.hibernate().ok);
    CHECK((g_calls == std::vector<std::string>{"GetVersionExA(148)", "ExitWindowsEx(6, 0)",
                                               "GetVersionExA(148)", "SetSystemPowerState(FALSE, TRUE)"}));
}

void aRefusedActionCarriesTheSystemsReason() {
    Win32PowerBackend backend;
    PowerController power(backend);
    Recording recording;
    g_powerAnswer = FALSE;
    g_powerError = ERROR_ACCESS_DENIED;
    const PowerOutcome off = power.perform("Shut Down");
    CHECK(off.status == PowerOutcome::Status::Failed);
    CHECK(off.error.find("ExitWindowsEx failed with error 5") == 0);
    const PowerOutcome sleep = power.perform("Stand by");
    CHECK(sleep.status == PowerOutcome::Status::Failed);
    CHECK(sleep.error.find("SetSystemPowerState failed with error 5") == 0);
}

// ---- Blocking sleep on the main window

constexpr LRESULT PreviousAnswer = 4242;
int g_previousCalls = 0;
UINT g_lastPreviousMessage = 0;

// The window's own procedure: the one the hook must hand everything else to.
LRESULT CALLBACK previousProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_POWERBROADCAST || msg >= WM_USER) {
        ++g_previousCalls;
        g_lastPreviousMessage = msg;
        return PreviousAnswer;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND makeMessageOnlyWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = previousProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VesperonPowerTestWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "power test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
}

LRESULT sendSuspendQuery(HWND hwnd, LPARAM eventData) {
    return SendMessageA(hwnd, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, eventData);
}

bool procedureIsPrevious(HWND hwnd) {
    return GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&previousProc);
}

void blockingSleepAnswersSuspendQueries() {
    const HWND hwnd = makeMessageOnlyWindow();
    CHECK(hwnd != nullptr);
    Win32PowerBackend backend;
    {
        PowerController power(backend);
        power.setSleepBlocked(true); // before the window is known: refused, asked again later
        CHECK(!backend.hookInstalled());
        CHECK(!backend.setSleepBlocked(true).ok);
        backend.setWindowHandle(reinterpret_cast<std::uintptr_t>(hwnd));
        power.setSleepBlocked(false);

        g_previousCalls = 0;
        CHECK(sendSuspendQuery(hwnd, 0) == PreviousAnswer); // no hook yet

        power.setSleepBlocked(true);
        CHECK(backend.hookInstalled());
        CHECK(!procedureIsPrevious(hwnd));
        g_previousCalls = 0;
        CHECK(sendSuspendQuery(hwnd, 0) == BROADCAST_QUERY_DENY);
        CHECK(g_previousCalls == 0);
        // Only the event data decides: 1 (the system may ask the user) and other messages pass on.
        CHECK(sendSuspendQuery(hwnd, 1) == PreviousAnswer);
        CHECK(g_previousCalls == 1);
        CHECK(SendMessageA(hwnd, WM_USER + 7, 0, 0) == PreviousAnswer);
        CHECK(g_lastPreviousMessage == WM_USER + 7);
        // wParam is not looked at: a resume notice with event data 0 is denied too.
        CHECK(SendMessageA(hwnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0) == BROADCAST_QUERY_DENY);

        power.setSleepBlocked(false);
        CHECK(procedureIsPrevious(hwnd));
        CHECK(sendSuspendQuery(hwnd, 0) == PreviousAnswer);

        power.setSleepBlocked(true); // installed again after removal
        CHECK(sendSuspendQuery(hwnd, 0) == BROADCAST_QUERY_DENY);
    }
    // The end of the controller puts the window's own procedure back.
    CHECK(procedureIsPrevious(hwnd));
    CHECK(sendSuspendQuery(hwnd, 0) == PreviousAnswer);
    DestroyWindow(hwnd);
}

// ---- Hibernation

void hibernationFollowsTheFile() {
    Win32PowerBackend backend;
    const char *path = win32::HibernationFile;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
    CHECK(!backend.canHibernate());

    const HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, nullptr);
    CHECK(file != INVALID_HANDLE_VALUE);
    CloseHandle(file);
    CHECK((GetFileAttributesA(path) & FILE_ATTRIBUTE_HIDDEN) != 0);
    CHECK(backend.canHibernate()); // hidden and system, still found
    bool answer = false;
    backend.queryCanHibernate([&](bool canHibernate) { answer = canHibernate; });
    CHECK(answer); // answered at once

    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    CHECK(DeleteFileA(path));
    CHECK(!backend.canHibernate());
}

} // namespace

int main() {
    everyActionIsForcedAfterTheShutdownPrivilegeIsEnabled();
    outsideNtNoTokenFunctionIsCalled();
    aRefusedActionCarriesTheSystemsReason();
    blockingSleepAnswersSuspendQueries();
    hibernationFollowsTheFile();
    std::printf("%d checks, %d failed\n", g_checks, g_failures);
    return g_failures == 0 ? 0 : 1;
}
