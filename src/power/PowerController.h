#pragma once

#include "power/Actions.h"
#include "power/PowerBackend.h"

#include <string>
#include <string_view>

namespace vesperon {

// What became of a power action: the system took the request, refused it, or the name
// was not an action at all.
struct PowerOutcome {
    enum class Status { Requested, Failed, NotAnAction };
    Status status = Status::NotAnAction;
    std::string error; // the system's reason when Failed

    bool requested() const { return status == Status::Requested; }
};

// Performs the actions of the table on the power back end, and keeps the user's wish that
// the computer not sleep for inactivity. Ending the controller (with the main window) lets
// go of that block.
class PowerController {
public:
    explicit PowerController(PowerBackend &backend) : m_backend(backend) {}
    ~PowerController();
    PowerController(const PowerController &) = delete;
    PowerController &operator=(const PowerController &) = delete;

    PowerOutcome perform(const PowerAction &action);
    // The action of that exact name; any other text does nothing and says so.
    PowerOutcome perform(std::string_view name);

    // Set on every click of the box: a block the system refused is asked for again. When the
    // system refuses a block, none is in force and the refusal is returned.
    PowerResult setSleepBlocked(bool on);
    bool sleepBlocked() const { return m_sleepBlocked; }

private:
    PowerBackend &m_backend;
    bool m_sleepBlocked = false;
};

} // namespace vesperon
