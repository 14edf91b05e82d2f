#pragma once

// Plain C++ (no Qt), shared by every window that lists the actions and by the Windows build.

#include <array>
#include <string_view>

namespace vesperon {

enum class PowerVerb { Hibernate, PowerOff, Reboot, LogOff, Suspend };

struct PowerAction {
    // Shown in the action boxes, written as the ItemType of schedule files, and looked up
    // exactly (case included) when a schedule fires.
    const char *name;
    // The item of the main window's Action menu.
    const char *menuCaption;
    // The name of its picture among the program's icons.
    const char *icon;
    PowerVerb verb;
};

// The actions, in the order the action boxes and the Action menu list them.
inline constexpr std::array<PowerAction, 5> PowerActions{{
    {"Hibernate", "Hibernate", "hibernate", PowerVerb::Hibernate},
    {"Shut Down", "Shut Down", "shutdown", PowerVerb::PowerOff},
    {"Reboot", "Reboot", "reboot", PowerVerb::Reboot},
    {"Log Off", "Log Off", "logoff", PowerVerb::LogOff},
    {"Stand by", "Stand By", "standby", PowerVerb::Suspend},
}};

// The action of that exact name, or nothing.
constexpr const PowerAction *findPowerAction(std::string_view name) {
    for (const PowerAction &action : PowerActions) {
        if (name == action.name)
            return &action;
    }
    return nullptr;
}

// Whether an action box offers the action: hibernate only where the system can hibernate.
constexpr bool isOffered(const PowerAction &action, bool canHibernate) {
    return action.verb != PowerVerb::Hibernate || canHibernate;
}

} // namespace vesperon
