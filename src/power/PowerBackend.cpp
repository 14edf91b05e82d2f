#include "power/PowerBackend.h"

namespace vesperon {

PowerResult PowerBackend::perform(PowerVerb verb, bool /*interactive*/) {
    switch (verb) {
    case PowerVerb::Hibernate:
        return hibernate();
    case PowerVerb::PowerOff:
        return powerOff();
    case PowerVerb::Reboot:
        return reboot();
    case PowerVerb::LogOff:
        return logOff();
    case PowerVerb::Suspend:
        return suspend();
    }
    return PowerResult::refused("Unknown action");
}

void PowerBackend::queryAvailability(std::function<void(Availabilities)> answer) {
    queryCanHibernate([answer = std::move(answer)](bool canHibernate) {
        Availabilities answers;
        answers.fill(Availability::Yes);
        answers[static_cast<std::size_t>(PowerVerb::Hibernate)] =
            canHibernate ? Availability::Yes : Availability::NotHere;
        answer(answers);
    });
}

} // namespace vesperon
