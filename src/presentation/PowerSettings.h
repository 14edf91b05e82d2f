#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace vesperon {

class LanguageEngine;
class Prompt;
class Shell;

// A program that opens the desktop's power settings, with its arguments.
struct PowerSettingsCommand {
    QString program;
    QStringList arguments;
};

// The commands to try, in order: the Control Panel's power page on Windows; elsewhere the
// power settings of GNOME, KDE Plasma, Xfce and MATE.
std::vector<PowerSettingsCommand> powerSettingsCommands();

// Starts the first command that starts; when none does, says so, naming the programs that
// would open them. True when one started.
bool openPowerSettings(Shell &shell, Prompt &prompt, const LanguageEngine &languages,
                       const std::vector<PowerSettingsCommand> &commands = powerSettingsCommands());

} // namespace vesperon
