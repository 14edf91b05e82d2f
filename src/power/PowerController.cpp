#include "power/PowerController.h"

namespace vesperon {

PowerController::~PowerController() {
    if (m_sleepBlocked)
        m_backend.setSleepBlocked(false);
}

PowerOutcome PowerController::perform(const PowerAction &action, bool interactive) {
    PowerResult result = m_backend.perform(action.verb, interactive);
    if (result.ok)
        return {PowerOutcome::Status::Requested, {}, interactive};
    return {PowerOutcome::Status::Failed, std::move(result.error), interactive, result.why};
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
