// Runs under Wine: the Win32 power back end against Wine's real windows, messages, files and
// process token.
//
// The exact arguments of the power calls are the point, and the power calls must not reach
// even Wine: for the whole run, this program's import table entries for ExitWindowsEx and
// SetSystemPowerState point at recorders here that only answer as told, the one for
// GetVersionExA at one that reports the platform a test asks for, and the one for
// GetPwrCapabilities at one that reports the sleep state a test asks for. The token calls go to
// Wine, which shows what they did: the shutdown privilege enabled.

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
BOOLEAN g_sleepState = TRUE;                // what GetPwrCapabilities reports for S3

BOOL WINAPI recordGetVersionExA(LPOSVERSIONINFOA info) {
    info->dwPlatformId = g_platformId;
    return TRUE;
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
BOOLEAN WINAPI reportCapabilities(PSYSTEM_POWER_CAPABILITIES capabilities) {
    *capabilities = SYSTEM_POWER_CAPABILITIES{};
    capabilities->SystemS3 = g_sleepState;
    return TRUE;
}

// Points an import table entry at a stand-in; returns the function it pointed at.
template <typename Function> Function replace(Function &entry, Function standIn) {
    DWORD protection = 0;
    VirtualProtect(&entry, sizeof entry, PAGE_READWRITE, &protection);
    const Function real = std::exchange(entry, standIn);
    VirtualProtect(&entry, sizeof entry, protection, &protection);
    return real;
}

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

// Every action is forced; on NT the shutdown privilege is enabled first, outside NT there is no
// token to adjust (those rows come first, while the privilege is still off); a refusal carries
// the system's reason.
void eachActionIsItsForcedCallAndARefusalSaysWhy() {
    const DWORD Nt = VER_PLATFORM_WIN32_NT, Windows = VER_PLATFORM_WIN32_WINDOWS;
    const struct {
        const char *name;
        DWORD platform;
        const char *call, *error;
    } cases[] = {
        {"Reboot", Windows, "ExitWindowsEx(6, 0)", ""},
        {"Hibernate", Windows, "SetSystemPowerState(FALSE, TRUE)", ""},
        {"Shut Down", Nt, "ExitWindowsEx(5, 0)", ""},
        {"Reboot", Nt, "ExitWindowsEx(6, 0)", ""},
        {"Log Off", Nt, "ExitWindowsEx(4, 0)", ""},
        {"Stand by", Nt, "SetSystemPowerState(TRUE, TRUE)", ""},
        {"Hibernate", Nt, "SetSystemPowerState(FALSE, TRUE)", ""},
        {"Shut Down", Nt, "ExitWindowsEx(5, 0)", "ExitWindowsEx failed with error 5"},
        {"Stand by", Nt, "SetSystemPowerState(TRUE, TRUE)", "SetSystemPowerState failed with error 5"}};
    Win32PowerBackend backend;
    PowerController power(backend);
    for (const auto &c : cases) {
        g_calls.clear();
        g_platformId = c.platform;
        g_powerAnswer = *c.error == '\0';
        const PowerOutcome outcome = power.perform(c.name);
        const bool ok = outcome.requested() == g_powerAnswer && outcome.error.find(c.error) == 0 &&
                        g_calls == std::vector<std::string>{c.call} &&
                        shutdownPrivilegeEnabled() == (c.platform == Nt);
        CHECK(ok);
        if (!ok)
            std::printf("  %s: %s, %s\n", c.name, g_calls.empty() ? "no call" : g_calls.back().c_str(),
                        outcome.error.c_str());
    }
}

// ---- Blocking sleep on the main window

constexpr LRESULT PreviousAnswer = 4242;

// The window's own procedure: the one the hook must hand everything else to.
LRESULT CALLBACK previousProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_POWERBROADCAST && msg < WM_USER)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    return PreviousAnswer;
}

void blockingSleepAnswersSuspendQueries() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = previousProc;
    windowClass.lpszClassName = "VesperonPowerTestWindow";
    RegisterClassA(&windowClass);
    const HWND hwnd = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr);
    CHECK(hwnd != nullptr);
    // Only the event data decides: 1 (the system may ask the user) and other messages pass on;
    // wParam is not looked at.
    const struct {
        UINT msg;
        WPARAM wParam;
        LPARAM eventData;
        LRESULT whileBlocked;
    } messages[] = {{WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0, BROADCAST_QUERY_DENY},
                    {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, BROADCAST_QUERY_DENY},
                    {WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 1, PreviousAnswer},
                    {WM_USER + 7, 0, 0, PreviousAnswer}};
    const auto answersAsIf = [&](bool blocked) {
        bool all = true;
        for (const auto &m : messages)
            all = all && SendMessageA(hwnd, m.msg, m.wParam, m.eventData) ==
                             (blocked ? m.whileBlocked : PreviousAnswer);
        return all;
    };
    Win32PowerBackend backend;
    {
        PowerController power(backend);
        power.setSleepBlocked(true); // before the window is known: refused, asked again later
        backend.setWindowHandle(reinterpret_cast<std::uintptr_t>(hwnd));
        CHECK(answersAsIf(false));
        for (const bool on : {true, false, true}) { // installed again after removal
            power.setSleepBlocked(on);
            CHECK(answersAsIf(on));
        }
    }
    // The end of the controller puts the window's own procedure back.
    CHECK(GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&previousProc));
    DestroyWindow(hwnd);
}

// ---- What this session could do unattended: Wine's token holds the shutdown privilege; the
// sleep states are what the power capabilities report, hibernation follows the file, hidden and
// system as it is (the Wine prefix is new: there is none at first).

void availabilityFollowsTheTokenThePowerCapabilitiesAndTheFile() {
    using enum Availability;
    Win32PowerBackend backend;
    const auto ask = [&backend] {
        Availabilities answers{};
        backend.queryAvailability([&](Availabilities given) { answers = given; }); // answered at once
        return answers;
    };
    // In the order of PowerVerb: hibernate, power off, reboot, log off, suspend.
    CHECK((ask() == Availabilities{NotHere, Yes, Yes, Yes, Yes}));
    CloseHandle(CreateFileA(win32::HibernationFile, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, nullptr));
    g_sleepState = FALSE;
    CHECK((ask() == Availabilities{Yes, Yes, Yes, Yes, NotHere}));
}

} // namespace

int main() {
    replace(__imp_GetVersionExA, &recordGetVersionExA);
    replace(__imp_ExitWindowsEx, &recordExitWindowsEx);
    replace(__imp_SetSystemPowerState, &recordSetSystemPowerState);
    replace(__imp_GetPwrCapabilities, &reportCapabilities);
    eachActionIsItsForcedCallAndARefusalSaysWhy();
    blockingSleepAnswersSuspendQueries();
    availabilityFollowsTheTokenThePowerCapabilitiesAndTheFile();
    return test::win::finish();
}
