#include "power/PowerController.h"
#include "support/PowerDoubles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace vesperon;
using ::testing::ElementsAre;

namespace {

// Each action's name reaches the back end as its request; other names (the Action menu's
// "Stand By" caption among them) do nothing; a refusal carries the system's reason.
TEST(PowerController, EachNameReachesTheBackEndAsItsRequest) {
    test::RecordingPowerBackend backend;
    PowerController power(backend);
    for (const char *name : {"Shut Down", "Reboot", "Log Off", "Stand by", "Hibernate"})
        EXPECT_EQ(power.perform(name).status, PowerOutcome::Status::Requested) << name;
    for (const char *name : {"shut down", "Stand By", "Shut Down ", "", "Sleep"})
        EXPECT_EQ(power.perform(name).status, PowerOutcome::Status::NotAnAction) << name;
    EXPECT_THAT(backend.calls, ElementsAre("powerOff", "reboot", "logOff", "suspend", "hibernate"));
    backend.result = PowerResult::refused("Access denied");
    const PowerOutcome outcome = power.perform("Stand by");
    EXPECT_EQ(outcome.status, PowerOutcome::Status::Failed);
    EXPECT_EQ(outcome.error, "Access denied");
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
