#include "presentation/WebsiteLauncher.h"

#include "core/Shell.h"
#include "localization/ProgramValues.h"
#include "presentation/VersionInfo.h"

namespace vesperon {

WebsiteLauncher::WebsiteLauncher(Shell &shell, ProgramValues &values) : m_shell(shell), m_values(values) {
    m_busy.setInterval(1000);
    m_busy.setSingleShot(true);
}

void WebsiteLauncher::launch(const QString &mode) {
    if (busy())
        return;
    m_busy.start();
    loadVersionInfo(m_values);
    if (mode == QLatin1String("Website"))
        m_shell.open(websiteAddress(m_values.Website));
}

} // namespace vesperon
