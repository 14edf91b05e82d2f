#pragma once

// Plain C++ (no Qt): the Windows back end behind this seam is built without Qt.

#include "power/Actions.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace vesperon {

// Whether this session may take an action with nobody there to type a password, as the
// system answers when asked beforehand; for a refused request, why it was refused.
enum class Availability {
    Yes,
    NeedsPassword, // the system would ask someone for a password first
    NotAllowed,    // this user may not at all
    NotHere,       // this computer cannot (no sleep state, no hibernation)
    Unknown,       // no answer, or a refusal for another reason
};

// One answer per action, indexed by PowerVerb.
using Availabilities = std::array<Availability, PowerActions.size()>;

constexpr Availability availabilityOf(const Availabilities &answers, PowerVerb verb) {
    return answers[static_cast<std::size_t>(verb)];
}

// What the system said to a power request: taken, or refused and why. A refused request is
// never reported as done.
struct PowerResult {
    bool ok = true;
    std::string error;                        // the system's reason when refused
    Availability why = Availability::Unknown; // what the refusal means, where the system says

    static PowerResult done() { return {}; }
    static PowerResult refused(std::string error, Availability why = Availability::Unknown) {
        return {false, std::move(error), why};
    }
};

// The computer's power, in the program's words; each platform's back end turns these into
// its own system's requests. The actions are requested without waiting for other programs
// to agree: a schedule fires with nobody there to answer them.
class PowerBackend {
public:
    virtual ~PowerBackend() = default;

    virtual PowerResult powerOff() = 0;
    virtual PowerResult reboot() = 0;
    // Ends the user's session.
    virtual PowerResult logOff() = 0;
    // Stand by.
    virtual PowerResult suspend() = 0;
    virtual PowerResult hibernate() = 0;

    // One of the actions above. interactive: the user asked for it this moment and is there to
    // answer the system (a password, where it wants one); a schedule's own run is not. Back ends
    // whose system never asks ignore it.
    virtual PowerResult perform(PowerVerb verb, bool interactive);

    // Which actions this session could take with nobody there to answer; answer gets the reply
    // later on this thread, or at once. The default knows only whether hibernation is there.
    virtual void queryAvailability(std::function<void(Availabilities)> answer);

    // Whether the system can hibernate without asking anyone (a schedule cannot type a
    // password).
    virtual bool canHibernate() = 0;
    // The same question for a window that must not wait: answer gets the reply later on this
    // thread, or at once where the system knows straight away. It is never called after the
    // back end has ended.
    virtual void queryCanHibernate(std::function<void(bool)> answer) { answer(canHibernate()); }

    // Keeps the system from suspending or hibernating the computer for inactivity (on), or
    // lets it again. Asking for what is already in force changes nothing; a block the system
    // refused is tried again at the next request for it. The end of the back end lets go.
    virtual PowerResult setSleepBlocked(bool on) = 0;

    // Called on the program's thread each time the computer has woken from sleep, so that what
    // was due meanwhile is looked at at once. Back ends that cannot tell never call it.
    virtual void setResumeHandler(std::function<void()> /*resumed*/) {}

    // The program's main window (its native handle), for back ends that watch the window's
    // messages; the others ignore it.
    virtual void setWindowHandle(std::uintptr_t /*window*/) {}
};

} // namespace vesperon
