#pragma once

// Test doubles of the seams every folder shares: message boxes answered from a script and a
// shell that records what it was asked to open or start.

#include "core/Prompt.h"
#include "core/Shell.h"

#include <QStringList>

namespace vesperon::test {

// Answers from a script, first answer first, and remembers every question. With the script
// used up it answers the first button of the box (Ok, Yes, Abort, Retry).
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

    Answer ask(const QString &text, const QString &title, Buttons buttons, Icon icon = Icon::None) override {
        m_questions.append({text, title, buttons, icon});
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        switch (buttons) {
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::Yes;
        case Buttons::AbortRetryIgnore:
            return Answer::Abort;
        case Buttons::RetryCancel:
            return Answer::Retry;
        default:
            return Answer::Ok;
        }
    }

private:
    QList<Answer> m_answers;
    QList<Question> m_questions;
};

class RecordingShell final : public Shell {
public:
    QStringList opened;
    QList<QStringList> started; // program first, then its arguments
    bool answer = true;

    bool open(const QString &documentOrAddress) override {
        opened << documentOrAddress;
        return answer;
    }
    bool start(const QString &program, const QStringList &arguments) override {
        started << (QStringList{program} + arguments);
        return answer;
    }
};

} // namespace vesperon::test
