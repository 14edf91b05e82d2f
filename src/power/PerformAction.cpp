#include "power/PerformAction.h"

namespace vesperon {

std::optional<std::int32_t> shutDownTypeFor(std::string_view displayName) {
    struct Entry {
        std::string_view name;
        std::int32_t code;
    };
    static constexpr Entry table[] = {{"Log Off", LogOffAction},
                                      {"Shut Down", ShutDownAction},
                                      {"Reboot", RebootAction},
                                      {"Hibernate", HibernateAction},
                                      {"Stand by", StandByAction}};
    for (const Entry &entry : table) {
        if (entry.name == displayName)
            return entry.code;
    }
    return std::nullopt;
}

PowerOutcome PerformAction(CPower &power, std::string_view displayName, bool force) {
    const std::optional<std::int32_t> code = shutDownTypeFor(displayName);
    if (!code)
        return {PowerOutcome::Status::NotAnAction, {}};
    return power.ShutDown(*code, force);
}

} // namespace vesperon
