#include "support/CoreDoubles.h"

namespace vesperon::test {

Prompt::Answer ScriptedPrompt::ask(const QString &text, const QString &title, Buttons buttons, Icon icon) {
    m_questions.append({text, title, buttons, icon});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    case Buttons::AbortRetryIgnore:
        return Answer::Abort;
    case Buttons::RetryCancel:
        return Answer::Retry;
    }
    return Answer::Ok;
}

} // namespace vesperon::test
