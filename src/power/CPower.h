#pragma once

#include "power/OsPower.h"

#include <cstdint>
#include <string>

namespace vesperon {

// What became of a power action: the system took the request, refused it, or the name
// was not an action at all. A refused action is never reported as done.
struct PowerOutcome {
    enum class Status { Requested, Failed, NotAnAction };
    Status status = Status::NotAnAction;
    std::string error; // the system's reason when Failed

    bool requested() const { return status == Status::Requested; }
};

// The program's one power object: dispatches action codes to the power calls and owns the
// window hook that refuses suspend requests. Removing the hook when it ends leaves the
// window as it found it.
class CPower {
public:
    explicit CPower(OsPower &os) : m_os(os) {}
    ~CPower();
    CPower(const CPower &) = delete;
    CPower &operator=(const CPower &) = delete;

    // The window whose procedure the hook replaces.
    void Initialize(std::uintptr_t hwnd) { m_hwnd = hwnd; }

    // Codes 5 (hibernate) and 6 (stand by) change the power state; every other code goes to
    // ExitWindowsEx unchanged.
    PowerOutcome ShutDown(std::int32_t shutDownType, bool force = false);

    bool DisableSuspend() const { return m_state.disableSuspend; }
    // Installs the hook on the first true and removes it on the first false after that.
    void setDisableSuspend(bool value);

    bool hookInstalled() const { return m_state.savedProcedure != 0; }

private:
    OsPower &m_os;
    std::uintptr_t m_hwnd = 0;
    PowerHookState m_state;
};

} // namespace vesperon
