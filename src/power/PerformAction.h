#pragma once

#include "power/CPower.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vesperon {

// Action codes passed to CPower::ShutDown; 3 and 4 are not used.
enum ShutDownType : std::int32_t {
    LogOffAction = 0,
    ShutDownAction = 1,
    RebootAction = 2,
    HibernateAction = 5,
    StandByAction = 6
};

// The code of an action's display name ("Shut Down", "Reboot", "Log Off", "Stand by",
// "Hibernate"), compared exactly; nothing for any other text.
std::optional<std::int32_t> shutDownTypeFor(std::string_view displayName);

// Performs the named action. A name that is not an action does nothing and says so.
PowerOutcome PerformAction(CPower &power, std::string_view displayName, bool force);

} // namespace vesperon
