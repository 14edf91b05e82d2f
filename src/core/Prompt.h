#pragma once

#include <QString>

namespace vesperon {

// Message boxes. Windows ask through a Prompt so that a test can answer every question;
// production shows a QMessageBox (see app/MessageBoxPrompt).
class Prompt {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

    virtual ~Prompt() = default;
    virtual Answer ask(const QString &text, const QString &title, Buttons buttons,
                       Icon icon = Icon::None) = 0;
};

} // namespace vesperon
