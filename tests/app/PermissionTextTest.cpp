// The Permission Denied prompt of a failed program setting speaks the user's language; the
// English messages give back the program's own text unchanged.
#include "localization/LanguageEngine.h"
#include "settings/Settings.h"
#include "support/CoreDoubles.h"
#include "support/SettingsDoubles.h"
#include "support/Testing.h"

using namespace vesperon;
using namespace vesperon::settings;

TEST(PermissionTextTest, ThePromptIsTranslatedAndTheEnglishMessagesKeepItsText) {
    test::MemorySettingsStore memory;
    memory.failWrites(SettingsScope::Program, StoreWrite::accessDenied());
    test::ScriptedPrompt prompt;
    ProgramSettings program(memory, prompt, u"Vesperon"_s);
    ProgramValues values;
    LanguageEngine english(u"/nonexistent/Localization.txt"_s, values);
    SetDefaultMessages(english);
    program.setMessageSource([&english](const QString &key) { return english.getMessages(key); });
    program.setValue(keys::txtPort, u"1"_s);
    const QHash<QString, QString> german{{u"MSG_PERMISSION"_s, u"Kein Zugriff."_s},
                                         {u"MSG_PERMISSIONIGNORE"_s, u"Ignore."_s},
                                         {u"MSG_TITLEPERMISSION"_s, u"Verweigert"_s}};
    program.setMessageSource([&german](const QString &key) { return german.value(key); });
    program.setValue(keys::txtPort, u"2"_s);

    const auto &asked = prompt.questions();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].text, QString::fromStdString(permissionDeniedText("Vesperon")));
    EXPECT_EQ(asked[0].title, u"Permission Denied"_s);
    EXPECT_EQ(asked[1].text, u"Kein Zugriff.\r\n\r\nIgnore."_s);
    EXPECT_EQ(asked[1].title, u"Verweigert"_s);
}
