#pragma once

#include <QString>
#include <QTimer>

namespace vesperon {

class LanguageEngine;
class Prompt;
class Shell;
struct ProgramValues;

// Opens the program's web address in the default browser. Each launch keeps the launcher busy
// for a second, during which a further launch does nothing: pressing the web-site button twice
// within that second opens the address once.
class WebsiteLauncher {
public:
    // The prompt says so when no program could open the address.
    WebsiteLauncher(Shell &shell, ProgramValues &values, Prompt &prompt, const LanguageEngine &languages);

    // Unless busy: takes the product values from the version information again and, when
    // mode is "Website" (the only page there is), opens their web address, with "http://" put
    // in front of an address without a scheme. Any other mode opens nothing but still keeps
    // the launcher busy.
    void launch(const QString &mode);
    // A launch happened less than a second ago.
    bool busy() const { return m_busy.isActive(); }

private:
    Shell &m_shell;
    ProgramValues &m_values;
    Prompt &m_prompt;
    const LanguageEngine &m_languages;
    QTimer m_busy;
};

} // namespace vesperon
