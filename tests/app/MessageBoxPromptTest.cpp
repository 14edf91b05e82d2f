#include "app/DesktopSeams.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vesperon;

namespace {

using Buttons = Prompt::Buttons;
using Answer = Prompt::Answer;

// The real message box: which buttons it shows for each kind, which one a Return press takes,
// and the answer each button gives back.
struct Case {
    Buttons buttons;
    QMessageBox::StandardButtons shown;
    QMessageBox::StandardButton clicked;
    Answer answer;
};

const Case Cases[] = {
    {Buttons::Ok, QMessageBox::Ok, QMessageBox::Ok, Answer::Ok},
    {Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, Answer::Ok},
    {Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, Answer::Cancel},
    {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, Answer::Yes},
    {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, Answer::No},
    {Buttons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel,
     Answer::Cancel},
    {Buttons::AbortRetryIgnore, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
     QMessageBox::Abort, Answer::Abort},
    {Buttons::AbortRetryIgnore, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
     QMessageBox::Retry, Answer::Retry},
    {Buttons::AbortRetryIgnore, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
     QMessageBox::Ignore, Answer::Ignore},
    {Buttons::RetryCancel, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry, Answer::Retry},
};

TEST(MessageBoxPrompt, EachButtonGivesItsOwnAnswer) {
    for (const Case &c : Cases) {
        SCOPED_TRACE(static_cast<int>(c.clicked));
        QMessageBox::StandardButtons shown;
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->standardButtons();
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            box->button(c.clicked)->click();
        });
        MessageBoxPrompt prompt;
        EXPECT_EQ(prompt.ask(QStringLiteral("Delete it?"), QStringLiteral("Vesperon"), c.buttons,
                             Prompt::Icon::Warning),
                  c.answer);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(text, QStringLiteral("Delete it?"));
        EXPECT_EQ(title, QStringLiteral("Vesperon"));
        EXPECT_EQ(icon, QMessageBox::Warning);
    }
}

} // namespace
