#include "settings/StartupEntries.h"

#include "settings/SettingsStore.h"

namespace vesperon::settings {

std::string startupEntryName(const std::string &programName) {
    return trimSpaces(programName);
}

bool commandNamesExecutable(const std::string &commandLine, const std::string &executableName) {
    return !executableName.empty() &&
           asciiLower(commandLine).find(asciiLower(executableName)) != std::string::npos;
}

} // namespace vesperon::settings
