// What the program's message boxes say and give back: the real message box's buttons and
// answers, and the Permission Denied prompt's text in the language of the messages.
#include "app/DesktopSeams.h"
#include "settings/Settings.h"
#include "support/CoreDoubles.h"
#include "support/SettingsDoubles.h"
#include "support/Testing.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace vesperon;

namespace {

using Buttons = Prompt::Buttons;
using Answer = Prompt::Answer;

// The real message box: which buttons it shows for each kind and the answer each button gives back.
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

// A failed program setting's prompt: the program's own text before there are messages.
TEST(PermissionPrompt, SpeaksTheLanguageOfTheMessages) {
    test::MemorySettingsStore memory;
    memory.failWrites(settings::SettingsScope::Program, settings::StoreWrite::accessDenied());
    test::ScriptedPrompt prompt;
    settings::ProgramSettings program(memory, prompt, u"Vesperon"_s);
    program.setValue(settings::keys::txtPort, u"1"_s);
    const QHash<QString, QString> german{{u"MSG_PERMISSION"_s, u"Kein Zugriff."_s},
                                         {u"MSG_PERMISSIONIGNORE"_s, u"Ignore."_s},
                                         {u"MSG_TITLEPERMISSION"_s, u"Verweigert"_s}};
    program.setMessageSource([&german](const QString &key) { return german.value(key); });
    program.setValue(settings::keys::txtPort, u"2"_s);

    const auto &asked = prompt.questions();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].text, QString::fromStdString(settings::permissionDeniedText("Vesperon")));
    EXPECT_EQ(asked[1].text, u"Kein Zugriff.\r\n\r\nIgnore."_s);
    EXPECT_EQ(asked[1].title, u"Verweigert"_s);
}

} // namespace
