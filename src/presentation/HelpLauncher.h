#pragma once

#include <QString>

namespace vesperon {

class Shell;
namespace settings {
class ProgramSettings;
}

// Opens the help file through the shell and records in the program store that the help has
// been shown. A missing file (or a folder of that name) opens nothing and records nothing;
// what the shell answers is not judged. True when the file was handed to the shell.
bool openHelp(Shell &shell, const QString &helpFile, settings::ProgramSettings &program);

} // namespace vesperon
