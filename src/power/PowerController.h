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
    std::string error;                        // the system's reason when Failed
    bool interactive = false;                 // started by the user at that moment, not by a schedule
    Availability why = Availability::Unknown; // what a refusal means, where the system says

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

    // interactive: the user asked for it this moment ("Now", "Do it now") and is there to
    // answer the system; a schedule's own run is not.
    PowerOutcome perform(const PowerAction &action, bool interactive = false);
    // The action of that exact name; any other text does nothing and says so.
    PowerOutcome perform(std::string_view name, bool interactive = false);

    // Set on every click of the box: a block the system refused is asked for again. When the
    // system refuses a block, none is in force and the refusal is returned.
    PowerResult setSleepBlocked(bool on);

private:
    PowerBackend &m_backend;
    bool m_sleepBlocked = false;
};

} // namespace vesperon
