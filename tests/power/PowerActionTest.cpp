#include "power/CPower.h"
#include "power/ModPower.h"
#include "power/PerformAction.h"
#include "power/RecordingOsPower.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace vesperon;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::vector<std::string> PrivilegeCalls = {
    "GetVersionExA(148)", "OpenProcessToken(0x28)", "LookupPrivilegeValueA(\"\", \"SeShutdownPrivilege\")",
    "AdjustTokenPrivileges(0x70, FALSE, shutdown, 2, 16)", "CloseHandle(0x70)"};

std::vector<std::string> withPrivilege(const std::string &call) {
    std::vector<std::string> calls = PrivilegeCalls;
    calls.push_back(call);
    return calls;
}

struct ActionCase {
    const char *name;
    bool force;
    std::string expectedCall;
};

void PrintTo(const ActionCase &c, std::ostream *os) {
    *os << c.name << (c.force ? " forced" : "") << " -> " << c.expectedCall;
}

class PerformActionTest : public ::testing::TestWithParam<ActionCase> {};

TEST_P(PerformActionTest, ReachesTheSystemWithTheActionsCodeAndFlags) {
    RecordingOsPower os;
    CPower power(os);
    const PowerOutcome outcome = PerformAction(power, GetParam().name, GetParam().force);
    EXPECT_EQ(outcome.status, PowerOutcome::Status::Requested);
    EXPECT_EQ(os.calls, withPrivilege(GetParam().expectedCall));
}

INSTANTIATE_TEST_SUITE_P(EveryAction, PerformActionTest,
                         ::testing::Values(ActionCase{"Log Off", true, "ExitWindowsEx(4, 0)"},
                                           ActionCase{"Shut Down", true, "ExitWindowsEx(5, 0)"},
                                           ActionCase{"Reboot", true, "ExitWindowsEx(6, 0)"},
                                           ActionCase{"Log Off", false, "ExitWindowsEx(0, 0)"},
                                           ActionCase{"Shut Down", false, "ExitWindowsEx(1, 0)"},
                                           ActionCase{"Reboot", false, "ExitWindowsEx(2, 0)"},
                                           ActionCase{"Stand by", true, "SetSystemPowerState(TRUE, TRUE)"},
                                           ActionCase{"Hibernate", true, "SetSystemPowerState(FALSE, TRUE)"},
                                           ActionCase{"Stand by", false, "SetSystemPowerState(TRUE, FALSE)"}),
                         [](const ::testing::TestParamInfo<ActionCase> &info) {
                             std::string name = info.param.name;
                             std::erase(name, ' ');
                             return name + (info.param.force ? "Forced" : "Unforced");
                         });

TEST(PerformAction, NamesOutsideTheTableDoNothing) {
    for (const char *name : {"shut down", "SHUT DOWN", "Stand By", "Shut Down ", "", "Power Off", "Sleep"}) {
        RecordingOsPower os;
        CPower power(os);
        EXPECT_EQ(PerformAction(power, name, true).status, PowerOutcome::Status::NotAnAction) << name;
        EXPECT_THAT(os.calls, IsEmpty()) << name;
    }
    EXPECT_EQ(shutDownTypeFor("Hibernate"), 5);
    EXPECT_EQ(shutDownTypeFor("Stand by"), 6);
}

TEST(PerformAction, RefusedActionsAreReportedAsFailed) {
    RecordingOsPower os;
    os.exitWindowsResult = OsCallResult::failure("Access denied");
    os.powerStateResult = OsCallResult::failure("Not supported");
    CPower power(os);
    const PowerOutcome off = PerformAction(power, "Shut Down", true);
    EXPECT_EQ(off.status, PowerOutcome::Status::Failed);
    EXPECT_EQ(off.error, "Access denied");
    const PowerOutcome sleep = PerformAction(power, "Stand by", true);
    EXPECT_EQ(sleep.status, PowerOutcome::Status::Failed);
    EXPECT_EQ(sleep.error, "Not supported");
    EXPECT_FALSE(sleep.requested());
}

TEST(ModPower, OutsideTheNtPlatformNoTokenFunctionIsCalled) {
    for (std::optional<std::uint32_t> platform :
         {std::optional<std::uint32_t>(1), std::optional<std::uint32_t>()}) {
        RecordingOsPower os;
        os.platformId = platform;
        EXPECT_TRUE(ExitWindowsAction(os, 2, true).ok);
        EXPECT_TRUE(SetPowerState(os, false, true).ok);
        EXPECT_THAT(os.calls, ElementsAre("GetVersionExA(148)", "ExitWindowsEx(6, 0)", "GetVersionExA(148)",
                                          "SetSystemPowerState(FALSE, TRUE)"));
    }
}

TEST(ModPower, UnusedCodesGoToExitWindowsExUnchanged) {
    RecordingOsPower os;
    os.platformId = 1;
    CPower power(os);
    power.ShutDown(3);
    power.ShutDown(4, true);
    EXPECT_THAT(os.calls, ElementsAre("GetVersionExA(148)", "ExitWindowsEx(3, 0)", "GetVersionExA(148)",
                                      "ExitWindowsEx(8, 0)"));
}

TEST(ModPower, HibernationIsAvailableExactlyWhenTheFileIsListed) {
    RecordingOsPower os;
    EXPECT_FALSE(HibernateAvailable(os));
    os.hibernationFilePresent = true;
    EXPECT_TRUE(HibernateAvailable(os));
    EXPECT_THAT(os.calls, ElementsAre("Dir(c:\\hiberfil.sys)", "Dir(c:\\hiberfil.sys)"));
}

TEST(ModPower, PowerWindowProcDeniesOnlySuspendQueriesWhileRefusing) {
    constexpr std::uint32_t PowerBroadcast = 0x218;
    EXPECT_EQ(PowerWindowProc(PowerBroadcast, 0, 0, true), PowerWindowAnswer::Deny);
    EXPECT_EQ(PowerWindowProc(PowerBroadcast, 0x12, 0, true), PowerWindowAnswer::Deny); // wParam not examined
    EXPECT_EQ(PowerWindowProc(PowerBroadcast, 0, 1, true), PowerWindowAnswer::PassOn);
    EXPECT_EQ(PowerWindowProc(PowerBroadcast, 0, 0, false), PowerWindowAnswer::PassOn);
    EXPECT_EQ(PowerWindowProc(0x219, 0, 0, true), PowerWindowAnswer::PassOn);
}

TEST(CPower, DisableSuspendInstallsRemovesAndInstallsTheHookAgain) {
    RecordingOsPower os;
    os.previousProcedure = 0xabc;
    constexpr std::uint32_t PowerBroadcast = 0x218;
    {
        CPower power(os);
        power.Initialize(0x42);
        EXPECT_FALSE(power.DisableSuspend());

        power.setDisableSuspend(true);
        power.setDisableSuspend(true); // already installed: only the flag
        EXPECT_TRUE(power.DisableSuspend());
        EXPECT_EQ(os.sendMessage(PowerBroadcast, 0, 0), win32::BroadcastQueryDeny);
        EXPECT_EQ(os.sendMessage(PowerBroadcast, 0, 1), os.previousProcedureAnswer);

        power.setDisableSuspend(false);
        power.setDisableSuspend(false); // already removed: only the flag
        EXPECT_FALSE(power.DisableSuspend());
        EXPECT_EQ(os.sendMessage(PowerBroadcast, 0, 0), os.previousProcedureAnswer);

        power.setDisableSuspend(true);
        EXPECT_EQ(os.sendMessage(PowerBroadcast, 0, 0), win32::BroadcastQueryDeny);
    }
    EXPECT_FALSE(os.hookInstalled());
    EXPECT_THAT(os.calls,
                ElementsAre("SetWindowLongPtrA(0x42, GWLP_WNDPROC, PowerWindowProc)", "previous(0x218, 1)",
                            "SetWindowLongPtrA(0x42, GWLP_WNDPROC, 0xabc)", "previous(0x218, 0)",
                            "SetWindowLongPtrA(0x42, GWLP_WNDPROC, PowerWindowProc)",
                            "SetWindowLongPtrA(0x42, GWLP_WNDPROC, 0xabc)"));
}

TEST(CPower, AHookThatCouldNotBeInstalledIsTriedAgainAtTheNextTick) {
    RecordingOsPower os;
    os.previousProcedure = 0; // the system refused
    CPower power(os);
    power.setDisableSuspend(true);
    EXPECT_FALSE(power.hookInstalled());
    EXPECT_TRUE(power.DisableSuspend());
    power.setDisableSuspend(false); // nothing to remove
    os.previousProcedure = 0x10;
    power.setDisableSuspend(true);
    EXPECT_TRUE(power.hookInstalled());
    EXPECT_EQ(std::count_if(os.calls.begin(), os.calls.end(),
                            [](const std::string &c) { return c.ends_with("PowerWindowProc)"); }),
              2);
}

} // namespace
