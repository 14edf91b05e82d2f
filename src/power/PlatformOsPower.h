#pragma once

#include "power/OsPower.h"

#include <memory>

namespace vesperon {

// The power calls of the system the program runs on: Win32 on Windows, logind elsewhere.
std::unique_ptr<OsPower> makePlatformOsPower();

} // namespace vesperon
