// Runs under Wine: the Win32 power calls against Wine's real windows, messages and files.
// Plain C++ with its own small checks, since the Windows build has no test framework.

#include "power/CPower.h"
#include "power/ModPower.h"
#include "power/PerformAction.h"
#include "power/Win32OsPower.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <memory>

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

void hookAnswersSuspendQueries() {
    const HWND hwnd = makeMessageOnlyWindow();
    CHECK(hwnd != nullptr);
    Win32OsPower os;
    {
        CPower power(os);
        power.Initialize(reinterpret_cast<std::uintptr_t>(hwnd));

        g_previousCalls = 0;
        CHECK(sendSuspendQuery(hwnd, 0) == PreviousAnswer); // no hook yet

        power.setDisableSuspend(true);
        CHECK(power.hookInstalled());
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

        power.setDisableSuspend(true); // ticking again changes nothing
        CHECK(sendSuspendQuery(hwnd, 0) == BROADCAST_QUERY_DENY);

        power.setDisableSuspend(false);
        CHECK(!power.hookInstalled());
        CHECK(procedureIsPrevious(hwnd));
        g_previousCalls = 0;
        CHECK(sendSuspendQuery(hwnd, 0) == PreviousAnswer);
        CHECK(g_previousCalls == 1);

        power.setDisableSuspend(true); // installed again after removal
        CHECK(power.hookInstalled());
        CHECK(sendSuspendQuery(hwnd, 0) == BROADCAST_QUERY_DENY);
    }
    // The end of the power object puts the window's own procedure back.
    CHECK(procedureIsPrevious(hwnd));
    CHECK(sendSuspendQuery(hwnd, 0) == PreviousAnswer);
    DestroyWindow(hwnd);
}

void hibernationFollowsTheFile() {
    Win32OsPower os;
    const char *path = win32::HibernationFile;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
    CHECK(!HibernateAvailable(os));

    const HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, nullptr);
    CHECK(file != INVALID_HANDLE_VALUE);
    CloseHandle(file);
    CHECK((GetFileAttributesA(path) & FILE_ATTRIBUTE_HIDDEN) != 0);
    CHECK(HibernateAvailable(os)); // hidden and system, still found

    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    CHECK(DeleteFileA(path));
    CHECK(!HibernateAvailable(os));
}

void versionAndPrivilegeCalls() {
    Win32OsPower os;
    CHECK(IsWindowsNT(os));
    const std::uintptr_t token = os.openProcessToken(win32::TokenAdjustPrivileges | win32::TokenQuery);
    CHECK(token != 0);
    const auto luid = os.lookupPrivilegeValue(std::string(), win32::ShutdownPrivilegeName);
    CHECK(luid.has_value());
    if (token != 0 && luid)
        CHECK(os.adjustTokenPrivileges(token, false, *luid, win32::SePrivilegeEnabled,
                                       win32::TokenPrivilegesOneEntrySize));
    if (token != 0)
        os.closeToken(token);
    CHECK(!os.lookupPrivilegeValue(std::string(), "SeNoSuchPrivilegeAtAll").has_value());
}

} // namespace

int main() {
    hookAnswersSuspendQueries();
    hibernationFollowsTheFile();
    versionAndPrivilegeCalls();
    std::printf("%d checks, %d failed\n", g_checks, g_failures);
    return g_failures == 0 ? 0 : 1;
}
