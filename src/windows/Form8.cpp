#include "windows/Form8.h"

#include "app/AppContext.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "schedule/ScheduleFile.h"
#include "settings/SettingsBundle.h"

namespace vesperon {

Form8::Form8(AppContext &context) : QWidget(nullptr), m_ctx(context) {
    setObjectName(QStringLiteral("Form8"));
    liveWindows().registerWindow(this);
    setFixedSize(0, 0);
}

bool Form8::Form_Load() {
    const QString help = m_ctx.folder.filePath(QStringLiteral("Help.chm"));
    if (!FileExists(help))
        return false;
    m_ctx.shell.open(help); // the shell's answer is not ours to judge
    m_ctx.settings.program().setValue(settings::keys::programShowHelp, QStringLiteral("0"));
    return true;
}

} // namespace vesperon
