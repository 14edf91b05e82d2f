#include "power/PowerController.h"

namespace vesperon {

namespace {

PowerResult request(PowerBackend &backend, PowerVerb verb) {
    switch (verb) {
    case PowerVerb::Hibernate:
        return backend.hibernate();
    case PowerVerb::PowerOff:
        return backend.powerOff();
    case PowerVerb::Reboot:
        return backend.reboot();
    case PowerVerb::LogOff:
        return backend.logOff();
    case PowerVerb::Suspend:
        return backend.suspend();
    }
    return PowerResult::refused("Unknown action");
}

} // namespace

PowerController::~PowerController() {
    if (m_sleepBlocked)
        m_backend.setSleepBlocked(false);
}

PowerOutcome PowerController::perform(const PowerAction &action, bool interactive) {
    PowerResult result = request(m_backend, action.verb);
    if (result.ok)
        return {PowerOutcome::Status::Requested, {}, interactive};
    return {PowerOutcome::Status::Failed, std::move(result.error), interactive};
}

PowerOutcome PowerController::perform(std::string_view name, bool interactive) {
    const PowerAction *action = findPowerAction(name);
    if (action == nullptr)
        return {PowerOutcome::Status::NotAnAction, {}, interactive};
    return perform(*action, interactive);
}

PowerResult PowerController::setSleepBlocked(bool on) {
    PowerResult result = m_backend.setSleepBlocked(on);
    m_sleepBlocked = on && result.ok;
    return result;
}

} // namespace vesperon
