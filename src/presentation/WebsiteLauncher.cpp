#include "presentation/WebsiteLauncher.h"

#include "core/Shell.h"
#include "localization/ProgramValues.h"
#include "presentation/HelpLauncher.h"
#include "presentation/VersionInfo.h"

namespace vesperon {

WebsiteLauncher::WebsiteLauncher(Shell &shell, ProgramValues &values, Prompt &prompt,
                                 const LanguageEngine &languages)
    : m_shell(shell), m_values(values), m_prompt(prompt), m_languages(languages) {
    m_busy.setInterval(1000);
    m_busy.setSingleShot(true);
}

void WebsiteLauncher::launch(const QString &mode) {
    if (busy())
        return;
    m_busy.start();
    loadVersionInfo(m_values);
    if (mode != QLatin1String("Website"))
        return;
    const QString address = websiteAddress(m_values.Website);
    if (!m_shell.open(address))
        sayNothingCanOpen(m_prompt, m_languages, address);
}

} // namespace vesperon
