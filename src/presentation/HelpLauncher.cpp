#include "presentation/HelpLauncher.h"

#include "core/Shell.h"
#include "schedule/ScheduleFile.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

namespace vesperon {

bool openHelp(Shell &shell, const QString &helpFile, settings::ProgramSettings &program) {
    if (!FileExists(helpFile))
        return false;
    shell.open(helpFile);
    program.setValue(settings::keys::programShowHelp, QStringLiteral("0"));
    return true;
}

} // namespace vesperon
