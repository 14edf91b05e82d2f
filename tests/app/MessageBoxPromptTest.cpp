// The real message box: which buttons it shows for each kind and the answer each button gives back.
#include "app/DesktopSeams.h"
#include "support/Testing.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace vesperon;

namespace {

using Buttons = Prompt::Buttons;
using Answer = Prompt::Answer;

TEST(MessageBoxPrompt, EachButtonGivesItsOwnAnswer) {
    using Box = QMessageBox;
    const struct {
        Buttons buttons;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton clicked;
        Answer answer;
    } cases[] = {
        {Buttons::Ok, Box::Ok, Box::Ok, Answer::Ok},
        {Buttons::OkCancel, Box::Ok | Box::Cancel, Box::Ok, Answer::Ok},
        {Buttons::OkCancel, Box::Ok | Box::Cancel, Box::Cancel, Answer::Cancel},
        {Buttons::YesNo, Box::Yes | Box::No, Box::Yes, Answer::Yes},
        {Buttons::YesNo, Box::Yes | Box::No, Box::No, Answer::No},
        {Buttons::YesNoCancel, Box::Yes | Box::No | Box::Cancel, Box::Cancel, Answer::Cancel},
        {Buttons::AbortRetryIgnore, Box::Abort | Box::Retry | Box::Ignore, Box::Abort, Answer::Abort},
        {Buttons::AbortRetryIgnore, Box::Abort | Box::Retry | Box::Ignore, Box::Retry, Answer::Retry},
        {Buttons::AbortRetryIgnore, Box::Abort | Box::Retry | Box::Ignore, Box::Ignore, Answer::Ignore},
        {Buttons::RetryCancel, Box::Retry | Box::Cancel, Box::Retry, Answer::Retry},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.clicked));
        QMessageBox::StandardButtons shown;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->standardButtons();
            box->button(c.clicked)->click();
        });
        MessageBoxPrompt prompt;
        EXPECT_EQ(prompt.ask(u"Delete it?"_s, u"Vesperon"_s, c.buttons, Prompt::Icon::Warning), c.answer);
        EXPECT_EQ(shown, c.shown);
    }
}

} // namespace
