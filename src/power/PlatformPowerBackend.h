#pragma once

#include "power/PowerBackend.h"

#include <memory>

namespace vesperon {

// The power back end of the system the program runs on: Win32 on Windows, logind elsewhere.
std::unique_ptr<PowerBackend> makePlatformPowerBackend();

} // namespace vesperon
