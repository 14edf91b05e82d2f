#include "power/CPower.h"

#include "power/ModPower.h"

namespace vesperon {

namespace {

PowerOutcome outcomeOf(const OsCallResult &result) {
    if (result.ok)
        return {PowerOutcome::Status::Requested, {}};
    return {PowerOutcome::Status::Failed, result.error};
}

} // namespace

CPower::~CPower() {
    if (m_state.savedProcedure != 0) {
        m_os.restoreWindowProc(m_hwnd, m_state.savedProcedure);
        m_state.savedProcedure = 0;
    }
}

PowerOutcome CPower::ShutDown(std::int32_t shutDownType, bool force) {
    if (shutDownType == 5 || shutDownType == 6)
        return outcomeOf(SetPowerState(m_os, shutDownType - 5 != 0, force));
    return outcomeOf(ExitWindowsAction(m_os, shutDownType, force));
}

void CPower::setDisableSuspend(bool value) {
    m_state.disableSuspend = value;
    if (value && m_state.savedProcedure == 0) {
        m_state.savedProcedure = m_os.installPowerWindowProc(m_hwnd, m_state);
    } else if (!value && m_state.savedProcedure != 0) {
        m_os.restoreWindowProc(m_hwnd, m_state.savedProcedure);
        m_state.savedProcedure = 0;
    }
}

} // namespace vesperon
