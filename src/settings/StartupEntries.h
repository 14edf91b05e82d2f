#pragma once

// Whether the program is set to start automatically when a user logs on: on Windows a value in
// one of the two Run keys, elsewhere an XDG autostart entry. Neither query fails or changes
// anything. Plain C++.

#include <string>

namespace vesperon::settings {

class StartupEntries {
public:
    virtual ~StartupEntries() = default;
    virtual bool isRegisteredForAllUsers() = 0;
    virtual bool isRegisteredForThisUser() = 0;
};

// The name an entry goes by: the program's name without leading and trailing spaces.
std::string startupEntryName(const std::string &programName);

// Whether an entry's command line starts this program: it contains the executable's name (the
// file name without its extension), ignoring ASCII letter case. No name matches nothing.
bool commandNamesExecutable(const std::string &commandLine, const std::string &executableName);

} // namespace vesperon::settings
