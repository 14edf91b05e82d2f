// The Permission Denied prompt of a failed program setting speaks the user's language; the
// English messages give back the program's own text unchanged.
#include "localization/LanguageEngine.h"
#include "settings/Settings.h"
#include "support/CoreDoubles.h"
#include "support/SettingsDoubles.h"

#include <gtest/gtest.h>

#include <QHash>

using namespace vesperon;
using namespace vesperon::settings;

TEST(PermissionTextTest, ThePromptIsTranslatedAndTheEnglishMessagesKeepItsText) {
    test::MemorySettingsStore memory;
    memory.failWrites(SettingsScope::Program, StoreWrite::accessDenied());
    test::ScriptedPrompt prompt;
    ProgramSettings program(memory, prompt, QStringLiteral("Vesperon"));
    program.setValue(keys::txtPort, QStringLiteral("1")); // no messages yet: the built-in text

    ProgramValues values;
    LanguageEngine english(QStringLiteral("/nonexistent/Localization.txt"), values);
    SetDefaultMessages(english);
    program.setMessageSource([&english](const QString &key) { return english.getMessages(key); });
    program.setValue(keys::txtPort, QStringLiteral("2"));

    const QHash<QString, QString> german{
        {QStringLiteral("MSG_PERMISSION"), QStringLiteral("Kein Zugriff.")},
        {QStringLiteral("MSG_PERMISSIONIGNORE"), QStringLiteral("Ignore.")},
        {QStringLiteral("MSG_TITLEPERMISSION"), QStringLiteral("Verweigert")}};
    program.setMessageSource([&german](const QString &key) { return german.value(key); });
    program.setValue(keys::txtPort, QStringLiteral("3"));

    const auto &asked = prompt.questions();
    ASSERT_EQ(asked.size(), 3);
    const QString builtIn = QString::fromStdString(permissionDeniedText("Vesperon"));
    EXPECT_EQ(asked[0].text, builtIn);
    EXPECT_EQ(asked[1].text, builtIn);
    EXPECT_EQ(asked[1].title, QStringLiteral("Permission Denied"));
    EXPECT_EQ(asked[2].text, QStringLiteral("Kein Zugriff.\r\n\r\nIgnore."));
    EXPECT_EQ(asked[2].title, QStringLiteral("Verweigert"));
}
