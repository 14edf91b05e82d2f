#include "power/PowerController.h"
#include "support/PowerDoubles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace vesperon;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST(PowerController, EachNameReachesTheBackEndAsItsRequest) {
    test::RecordingPowerBackend backend;
    PowerController power(backend);
    for (const char *name : {"Shut Down", "Reboot", "Log Off", "Stand by", "Hibernate"})
        EXPECT_EQ(power.perform(name).status, PowerOutcome::Status::Requested) << name;
    EXPECT_THAT(backend.calls, ElementsAre("powerOff", "reboot", "logOff", "suspend", "hibernate"));
}

TEST(PowerController, NamesOutsideTheTableDoNothing) {
    // "Stand By" is the Action menu's caption, not an action's name.
    for (const char *name : {"shut down", "SHUT DOWN", "Stand By", "Shut Down ", "", "Power Off", "Sleep"}) {
        test::RecordingPowerBackend backend;
        PowerController power(backend);
        EXPECT_EQ(power.perform(name).status, PowerOutcome::Status::NotAnAction) << name;
        EXPECT_THAT(backend.calls, IsEmpty()) << name;
    }
}

TEST(PowerController, ARefusedActionIsReportedWithTheSystemsReason) {
    test::RecordingPowerBackend backend;
    backend.result = PowerResult::refused("Access denied");
    PowerController power(backend);
    const PowerOutcome outcome = power.perform("Stand by");
    EXPECT_EQ(outcome.status, PowerOutcome::Status::Failed);
    EXPECT_EQ(outcome.error, "Access denied");
    EXPECT_FALSE(outcome.requested());
}

TEST(PowerController, EveryClickAsksForTheBlockAndTheEndLetsGoOfIt) {
    test::RecordingPowerBackend backend;
    {
        PowerController power(backend);
        backend.result = PowerResult::refused("No window");
        EXPECT_EQ(power.setSleepBlocked(true).error, "No window");
        EXPECT_FALSE(power.sleepBlocked()); // a refused block is not in force
        backend.result = PowerResult::done();
        power.setSleepBlocked(true); // asked again: a refused block is tried again
        power.setSleepBlocked(false);
        power.setSleepBlocked(true);
    }
    EXPECT_THAT(backend.calls,
                ElementsAre("setSleepBlocked(true)", "setSleepBlocked(true)", "setSleepBlocked(false)",
                            "setSleepBlocked(true)", "setSleepBlocked(false)"));

    backend.calls.clear();
    {
        PowerController power(backend);
        power.setSleepBlocked(false);
    }
    EXPECT_THAT(backend.calls, ElementsAre("setSleepBlocked(false)")); // nothing more to let go of
}

} // namespace
