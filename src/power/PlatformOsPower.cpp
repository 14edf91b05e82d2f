#include "power/PlatformOsPower.h"

#ifdef _WIN32
#include "power/Win32OsPower.h"
#else
#include "power/LogindOsPower.h"
#include <QtGlobal>
#endif

namespace vesperon {

std::unique_ptr<OsPower> makePlatformOsPower() {
#ifdef _WIN32
    return std::make_unique<Win32OsPower>();
#else
    // Log off ends the session this program was started in.
    return std::make_unique<LogindOsPower>(QDBusConnection::systemBus(),
                                           qEnvironmentVariable("XDG_SESSION_ID"));
#endif
}

} // namespace vesperon
