#include "power/PlatformPowerBackend.h"

#ifdef _WIN32
#include "power/Win32PowerBackend.h"
#else
#include "power/LogindPowerBackend.h"
#include <QtGlobal>
#endif

namespace vesperon {

std::unique_ptr<PowerBackend> makePlatformPowerBackend() {
#ifdef _WIN32
    return std::make_unique<Win32PowerBackend>();
#else
    // Log off ends the session this program was started in.
    return std::make_unique<LogindPowerBackend>(QDBusConnection::systemBus(),
                                                qEnvironmentVariable("XDG_SESSION_ID"));
#endif
}

} // namespace vesperon
