// The Permission Denied prompt of a failed program setting speaks the language of the messages
// it is given, and the program's own text before it has any.
#include "settings/Settings.h"
#include "support/CoreDoubles.h"
#include "support/SettingsDoubles.h"
#include "support/Testing.h"

using namespace vesperon;
using namespace vesperon::settings;

TEST(PermissionTextTest, ThePromptSpeaksTheLanguageOfTheMessages) {
    test::MemorySettingsStore memory;
    memory.failWrites(SettingsScope::Program, StoreWrite::accessDenied());
    test::ScriptedPrompt prompt;
    ProgramSettings program(memory, prompt, u"Vesperon"_s);
    program.setValue(keys::txtPort, u"1"_s);
    const QHash<QString, QString> german{{u"MSG_PERMISSION"_s, u"Kein Zugriff."_s},
                                         {u"MSG_PERMISSIONIGNORE"_s, u"Ignore."_s},
                                         {u"MSG_TITLEPERMISSION"_s, u"Verweigert"_s}};
    program.setMessageSource([&german](const QString &key) { return german.value(key); });
    program.setValue(keys::txtPort, u"2"_s);

    const auto &asked = prompt.questions();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].text, QString::fromStdString(permissionDeniedText("Vesperon")));
    EXPECT_EQ(asked[1].text, u"Kein Zugriff.\r\n\r\nIgnore."_s);
    EXPECT_EQ(asked[1].title, u"Verweigert"_s);
}
