// The Qt face of the stores and the settings table, over the store in memory.
#include "settings/SettingsBundle.h"
#include "support/CoreDoubles.h"
#include "support/SettingsDoubles.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace vesperon;
using namespace vesperon::settings;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    test::ScriptedPrompt prompt;
    test::MemorySettingsStore memory;
    test::FixedStartupEntries startup;
    SettingsBundle bundle{memory, startup, prompt};
};

TEST_F(SettingsTest, ReadErrorsGiveEveryCallerTheDefault) {
    memory.failReads(SettingsScope::Program, StoreRead::failed(4, "Registry data not a string"));
    memory.put(SettingsScope::Program, "chkMin", "1");
    EXPECT_EQ(bundle.program().value(keys::chkMin), QStringLiteral("0"));
    EXPECT_EQ(bundle.program().value(keys::txtFTPPort), QStringLiteral("21"));

    memory.failReads(SettingsScope::ThisUser, StoreRead::failed(5, "Could not open registry section"));
    memory.put(SettingsScope::ThisUser, "Language", "Deutsch");
    EXPECT_EQ(bundle.user().value(keys::Language), QStringLiteral("English"));
}

TEST_F(SettingsTest, PromptSeamGetsAbortRetryIgnoreAndItsAnswerIsUsed) {
    memory.failWrites(SettingsScope::Program, StoreWrite::accessDenied(), 1);
    prompt.willAnswer(Prompt::Answer::Retry);
    bundle.program().setValue(keys::chkSplash, QStringLiteral("1"));
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions()[0].buttons, Prompt::Buttons::AbortRetryIgnore);
    EXPECT_EQ(prompt.questions()[0].title, QStringLiteral("Permission Denied"));
    EXPECT_EQ(bundle.program().value(keys::chkSplash), QStringLiteral("1"));

    memory.failWrites(SettingsScope::Program, StoreWrite::accessDenied());
    prompt.willAnswer(Prompt::Answer::Ignore);
    bundle.program().setValue(keys::chkSplash, QStringLiteral("0"));
    EXPECT_EQ(bundle.user().value(keys::IgnorePermissionDeniedError), QStringLiteral("1"));
    bundle.program().setValue(keys::chkSplash, QStringLiteral("0"));
    EXPECT_EQ(prompt.questions().size(), 2);
}

TEST_F(SettingsTest, UserSettingsReadDefaultsAndWhatWasSaved) {
    EXPECT_EQ(bundle.user().value(keys::showHelp), QStringLiteral("1"));
    EXPECT_EQ(bundle.user().value(keys::Language, QString()), QString()); // how the first start is recognised
    bundle.user().setValue(keys::showHelp, QStringLiteral("0"));
    bundle.user().setValue(keys::Language, QStringLiteral("Fran\u00E7ais"));
    EXPECT_EQ(bundle.user().value(keys::showHelp), QStringLiteral("0"));
    EXPECT_EQ(bundle.user().value(keys::Language), QStringLiteral("Fran\u00E7ais"));
    EXPECT_EQ(bundle.user().value(keys::Language, QString()), QStringLiteral("Fran\u00E7ais"));
    // The program store's showHelp is a different setting.
    EXPECT_EQ(bundle.program().value(keys::programShowHelp), QStringLiteral("0"));
}

TEST(SettingKeys, TableHoldsEachSettingOnceWithItsDefault) {
    QSet<QString> seen;
    for (const SettingKey &key : keys::all) {
        const QString id = QString::number(int(key.store)) + settingName(key.name).toLower();
        EXPECT_FALSE(seen.contains(id)) << key.name;
        seen.insert(id);
        EXPECT_FALSE(key.name.empty());
        EXPECT_EQ(settingName(key.writeName()).compare(settingName(key.name), Qt::CaseInsensitive), 0)
            << key.name;
    }
}

} // namespace
