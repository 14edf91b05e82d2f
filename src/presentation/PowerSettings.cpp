#include "presentation/PowerSettings.h"

#include "core/Prompt.h"
#include "core/Shell.h"
#include "localization/LanguageEngine.h"

namespace vesperon {

std::vector<PowerSettingsCommand> powerSettingsCommands() {
#ifdef Q_OS_WIN
    return {{QStringLiteral("RunDLL32.EXE"),
             {QStringLiteral("shell32.dll,Control_RunDLL"), QStringLiteral("ups.cpl")}}};
#else
    return {{QStringLiteral("gnome-control-center"), {QStringLiteral("power")}},
            {QStringLiteral("systemsettings"), {QStringLiteral("kcm_powerdevilprofilesconfig")}},
            {QStringLiteral("xfce4-power-manager-settings"), {}},
            {QStringLiteral("mate-power-preferences"), {}}};
#endif
}

bool openPowerSettings(Shell &shell, Prompt &prompt, const LanguageEngine &languages,
                       const std::vector<PowerSettingsCommand> &commands) {
    QStringList tried;
    for (const PowerSettingsCommand &command : commands) {
        if (shell.start(command.program, command.arguments))
            return true;
        tried << command.program;
    }
    prompt.ask(languages.getMessages(QStringLiteral("MSG_NOPOWERSETTINGS")) + QStringLiteral("\n\n") +
                   tried.join(QLatin1Char('\n')),
               languages.getMessages(QStringLiteral("MSG_TITLE")), Prompt::Buttons::Ok,
               Prompt::Icon::Warning);
    return false;
}

} // namespace vesperon
