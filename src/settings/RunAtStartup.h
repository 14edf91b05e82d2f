#pragma once

// Whether the program is set to start automatically when a user logs on: a string value named
// after the program in one of the two Run keys, whose command line names the program's
// executable. Neither query fails or changes anything. Plain C++ over the Registry seam.

#include "settings/Registry.h"

#include <string>

namespace vesperon::settings {

// Opened with its trailing backslash, as the system lists it.
inline constexpr const char *RunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\";

// The rule for one root: a value named trim(programName) exists, is a non-empty REG_SZ, and
// its command line contains executableName (the file name without extension), ignoring case.
bool isInRunKey(Registry &registry, RegRoot root, const std::string &programName,
                const std::string &executableName) noexcept;

// The all-users entry.
bool IsInRunAllUsers(Registry &registry, const std::string &programName, const std::string &executableName);
// The current user's entry.
bool IsInRunThisUser(Registry &registry, const std::string &programName, const std::string &executableName);

} // namespace vesperon::settings
