#include "power/PowerController.h"
#include "support/PowerDoubles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace vesperon;
using ::testing::ElementsAre;

namespace {

// Each action's name reaches the back end as its request; other names (the Action menu's
// "Stand By" caption among them) do nothing.
TEST(PowerController, EachNameReachesTheBackEndAsItsRequest) {
    test::RecordingPowerBackend backend;
    PowerController power(backend);
    for (const char *name : {"Shut Down", "Reboot", "Log Off", "Stand by", "Hibernate"})
        EXPECT_EQ(power.perform(name).status, PowerOutcome::Status::Requested) << name;
    for (const char *name : {"shut down", "Stand By", "Shut Down ", "", "Sleep"})
        EXPECT_EQ(power.perform(name).status, PowerOutcome::Status::NotAnAction) << name;
    EXPECT_THAT(backend.calls, ElementsAre("powerOff", "reboot", "logOff", "suspend", "hibernate"));
}

// Every click asks the back end; the end of the controller lets go of a block in force, and a
// refused or lifted one is not in force.
TEST(PowerController, TheEndLetsGoOfTheBlockInForceOnly) {
    test::RecordingPowerBackend backend;
    backend.result = PowerResult::refused("No window");
    EXPECT_EQ(PowerController(backend).setSleepBlocked(true).error, "No window");
    backend.result = PowerResult::done();
    PowerController(backend).setSleepBlocked(true);
    {
        PowerController power(backend);
        power.setSleepBlocked(true);
        power.setSleepBlocked(false);
    }
    EXPECT_THAT(backend.calls,
                ElementsAre("setSleepBlocked(true)", "setSleepBlocked(true)", "setSleepBlocked(false)",
                            "setSleepBlocked(true)", "setSleepBlocked(false)"));
}

} // namespace
