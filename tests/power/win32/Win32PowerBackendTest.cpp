// Runs under Wine: the Win32 power back end against Wine's real windows, messages, files and
// process token.
//
// The exact arguments of the power calls are the point, and the power calls must not reach
// even Wine: while a Recording lives, this program's import table entries for ExitWindowsEx
// and SetSystemPowerState point at recorders here that only answer as told, and the one for
// GetVersionExA at one that reports the platform a test asks for. The token calls go to Wine,
// which shows what they did: the shutdown privilege enabled.

#include "power/Win32PowerBackend.h"
#include "../../support/WinChecks.h"
#include "power/PowerController.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// after windows.h, which it needs
#include <powrprof.h>

#include <string>
#include <utility>
#include <vector>

extern "C" {
extern decltype(&GetVersionExA) __imp_GetVersionExA;
extern decltype(&ExitWindowsEx) __imp_ExitWindowsEx;
extern decltype(&SetSystemPowerState) __imp_SetSystemPowerState;
extern decltype(&GetPwrCapabilities) __imp_GetPwrCapabilities;
}

using namespace vesperon;

namespace {

// ---- Recording the back end's power calls

std::vector<std::string> g_calls;
DWORD g_platformId = VER_PLATFORM_WIN32_NT; // what GetVersionExA reports
BOOL g_powerAnswer = TRUE;                  // what ExitWindowsEx and SetSystemPowerState answer

BOOL WINAPI recordGetVersionExA(LPOSVERSIONINFOA info);
BOOL WINAPI recordExitWindowsEx(UINT flags, DWORD reserved);
BOOL WINAPI recordSetSystemPowerState(BOOL suspend, BOOL force);
// The recorders; while a Recording lives, the real functions, swapped out of the import table.
decltype(&GetVersionExA) g_getVersion = &recordGetVersionExA;
decltype(&ExitWindowsEx) g_exit = &recordExitWindowsEx;
decltype(&SetSystemPowerState) g_power = &recordSetSystemPowerState;

BOOL WINAPI recordGetVersionExA(LPOSVERSIONINFOA info) {
    const BOOL ok = g_getVersion(info);
    info->dwPlatformId = g_platformId;
    return ok;
}
BOOL powerAnswer(const std::string &call) {
    g_calls.push_back(call);
    if (!g_powerAnswer)
        SetLastError(ERROR_ACCESS_DENIED);
    return g_powerAnswer;
}
BOOL WINAPI recordExitWindowsEx(UINT flags, DWORD reserved) {
    return powerAnswer("ExitWindowsEx(" + std::to_string(flags) + ", " + std::to_string(reserved) + ")");
}
BOOL WINAPI recordSetSystemPowerState(BOOL suspend, BOOL force) {
    const auto flag = [](BOOL on) { return on ? "TRUE" : "FALSE"; };
    return powerAnswer(std::string("SetSystemPowerState(") + flag(suspend) + ", " + flag(force) + ")");
}

template <typename Function> void swapEntry(Function &entry, Function &other) {
    DWORD protection = 0;
    VirtualProtect(&entry, sizeof entry, PAGE_READWRITE, &protection);
    std::swap(entry, other);
    VirtualProtect(&entry, sizeof entry, protection, &protection);
}

// Records the back end's power calls for as long as it lives, on an NT platform whose power
// calls succeed unless told otherwise.
struct Recording {
    Recording() {
        g_calls.clear();
        g_platformId = VER_PLATFORM_WIN32_NT;
        g_powerAnswer = TRUE;
        swapAll();
    }
    ~Recording() { swapAll(); }
    static void swapAll() {
        swapEntry(__imp_GetVersionExA, g_getVersion);
        swapEntry(__imp_ExitWindowsEx, g_exit);
        swapEntry(__imp_SetSystemPowerState, g_power);
    }
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

// Outside NT there is no token to adjust (this runs first, while the privilege is still off).
void outsideNtTheTokenIsLeftAlone() {
    Win32PowerBackend backend;
    Recording recording;
    g_platformId = VER_PLATFORM_WIN32_WINDOWS;
    CHECK(backend.reboot().ok);
    CHECK(backend.hibernate().ok);
    CHECK((g_calls == std::vector<std::string>{"ExitWindowsEx(6, 0)", "SetSystemPowerState(FALSE, TRUE)"}));
    CHECK(!shutdownPrivilegeEnabled());
}

void everyActionIsForcedAfterTheShutdownPrivilegeIsEnabled() {
    const struct {
        const char *name;
        const char *call;
    } cases[] = {{"Shut Down", "ExitWindowsEx(5, 0)"},
                 {"Reboot", "ExitWindowsEx(6, 0)"},
                 {"Log Off", "ExitWindowsEx(4, 0)"},
                 {"Stand by", "SetSystemPowerState(TRUE, TRUE)"},
                 {"Hibernate", "SetSystemPowerState(FALSE, TRUE)"}};
    Win32PowerBackend backend;
    PowerController power(backend);
    for (const auto &c : cases) {
        Recording recording;
        CHECK(power.perform(c.name).requested());
        CHECK(g_calls == std::vector<std::string>{c.call});
        if (g_calls != std::vector<std::string>{c.call})
            std::printf("  %s: %s\n", c.name, g_calls.empty() ? "no call" : g_calls.back().c_str());
    }
    CHECK(shutdownPrivilegeEnabled()); // the token calls did what they were for
}

void aRefusedActionCarriesTheSystemsReason() {
    Win32PowerBackend backend;
    PowerController power(backend);
    Recording recording;
    g_powerAnswer = FALSE;
    const PowerOutcome off = power.perform("Shut Down");
    CHECK(off.status == PowerOutcome::Status::Failed);
    CHECK(off.error.find("ExitWindowsEx failed with error 5") == 0);
    CHECK(power.perform("Stand by").error.find("SetSystemPowerState failed with error 5") == 0);
}

// ---- Blocking sleep on the main window

constexpr LRESULT PreviousAnswer = 4242;
UINT g_lastPreviousMessage = 0;

// The window's own procedure: the one the hook must hand everything else to.
LRESULT CALLBACK previousProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_POWERBROADCAST && msg < WM_USER)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    g_lastPreviousMessage = msg;
    return PreviousAnswer;
}

LRESULT sendSuspendQuery(HWND hwnd, LPARAM eventData) {
    return SendMessageA(hwnd, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, eventData);
}

void blockingSleepAnswersSuspendQueries() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = previousProc;
    windowClass.lpszClassName = "VesperonPowerTestWindow";
    RegisterClassA(&windowClass);
    const HWND hwnd = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr);
    CHECK(hwnd != nullptr);
    Win32PowerBackend backend;
    {
        PowerController power(backend);
        power.setSleepBlocked(true); // before the window is known: refused, asked again later
        CHECK(!backend.hookInstalled());
        backend.setWindowHandle(reinterpret_cast<std::uintptr_t>(hwnd));
        CHECK(sendSuspendQuery(hwnd, 0) == PreviousAnswer); // no hook yet
        power.setSleepBlocked(true);
        CHECK(sendSuspendQuery(hwnd, 0) == BROADCAST_QUERY_DENY);
        // Only the event data decides: 1 (the system may ask the user) and other messages pass on;
        // wParam is not looked at.
        CHECK(sendSuspendQuery(hwnd, 1) == PreviousAnswer);
        CHECK(SendMessageA(hwnd, WM_USER + 7, 0, 0) == PreviousAnswer &&
              g_lastPreviousMessage == WM_USER + 7);
        CHECK(SendMessageA(hwnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0) == BROADCAST_QUERY_DENY);
        power.setSleepBlocked(false);
        CHECK(sendSuspendQuery(hwnd, 0) == PreviousAnswer);
        power.setSleepBlocked(true); // installed again after removal
        CHECK(sendSuspendQuery(hwnd, 0) == BROADCAST_QUERY_DENY);
    }
    // The end of the controller puts the window's own procedure back.
    CHECK(GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&previousProc));
    DestroyWindow(hwnd);
}

// ---- Hibernation

void hibernationFollowsTheFile() {
    Win32PowerBackend backend;
    const char *path = win32::HibernationFile;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
    CHECK(!backend.canHibernate());
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, nullptr));
    CHECK(backend.canHibernate()); // hidden and system, still found
    bool answer = false;
    backend.queryCanHibernate([&](bool canHibernate) { answer = canHibernate; });
    CHECK(answer); // answered at once
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
}

// What this session could do unattended: Wine's token holds the shutdown privilege; the sleep
// states are what the power capabilities report (told here), hibernation follows the file.
BOOLEAN g_sleepState = TRUE;
BOOLEAN WINAPI reportCapabilities(PSYSTEM_POWER_CAPABILITIES capabilities) {
    *capabilities = SYSTEM_POWER_CAPABILITIES{};
    capabilities->SystemS3 = g_sleepState;
    return TRUE;
}

void availabilityFollowsTheTokenAndThePowerCapabilities() {
    Win32PowerBackend backend;
    decltype(&GetPwrCapabilities) capabilities = &reportCapabilities;
    swapEntry(__imp_GetPwrCapabilities, capabilities);
    const auto ask = [&backend] {
        Availabilities answers{};
        answers.fill(Availability::Unknown);
        backend.queryAvailability([&](Availabilities given) { answers = given; }); // answered at once
        return answers;
    };
    DeleteFileA(win32::HibernationFile);
    Availabilities answers = ask();
    CHECK(availabilityOf(answers, PowerVerb::PowerOff) == Availability::Yes);
    CHECK(availabilityOf(answers, PowerVerb::Reboot) == Availability::Yes);
    CHECK(availabilityOf(answers, PowerVerb::LogOff) == Availability::Yes);
    CHECK(availabilityOf(answers, PowerVerb::Suspend) == Availability::Yes);
    CHECK(availabilityOf(answers, PowerVerb::Hibernate) == Availability::NotHere);
    g_sleepState = FALSE;
    CHECK(availabilityOf(ask(), PowerVerb::Suspend) == Availability::NotHere);
    swapEntry(__imp_GetPwrCapabilities, capabilities);
}

} // namespace

int main() {
    outsideNtTheTokenIsLeftAlone();
    everyActionIsForcedAfterTheShutdownPrivilegeIsEnabled();
    aRefusedActionCarriesTheSystemsReason();
    blockingSleepAnswersSuspendQueries();
    hibernationFollowsTheFile();
    availabilityFollowsTheTokenAndThePowerCapabilities();
    return test::win::finish();
}
