#pragma once

#include <QList>
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

// Test double: answers from a script, first answer first, and remembers every question.
// With the script used up it answers the first button of the box (Ok, Yes, Abort, Retry).
class ScriptedPrompt final : public Prompt {
public:
    struct Question {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon;
    };

    void willAnswer(Answer answer) { m_answers.append(answer); }
    const QList<Question> &questions() const { return m_questions; }
    void clear() { m_questions.clear(); }

    Answer ask(const QString &text, const QString &title, Buttons buttons, Icon icon = Icon::None) override;

private:
    QList<Answer> m_answers;
    QList<Question> m_questions;
};

} // namespace vesperon
