// The Qt face of the stores and the settings table, on the in-memory back ends.
#include "settings/MemoryRegistry.h"
#include "settings/SettingsBundle.h"
#include "support/CoreDoubles.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace vesperon;
using namespace vesperon::settings;

namespace {

const std::string SettingsKey = "SOFTWARE\\Quillmark\\Vesperon\\Settings";

class SettingsTest : public ::testing::Test {
protected:
    test::ScriptedPrompt prompt;
    std::unique_ptr<SettingsBundle> bundle = SettingsBundle::inMemory(prompt, QStringLiteral("vesperon"));
    MemoryRegistry &registry = dynamic_cast<MemoryRegistry &>(bundle->registry());
};

TEST_F(SettingsTest, ReadErrorsGiveEveryCallerTheDefault) {
    registry.putRaw(RegRoot::LocalMachine, SettingsKey, "chkMin", RegDword, std::string("\1\0\0\0", 4));
    EXPECT_EQ(bundle->program().value(keys::chkMin), QStringLiteral("0"));
    EXPECT_EQ(bundle->program()
                  .readChecked(QStringLiteral("Vesperon"), QStringLiteral("Settings"),
                               QStringLiteral("chkMin"), QStringLiteral("0"))
                  .error,
              0x800407D4u);
    registry.failOn(MemoryRegistry::Op::Open, RegAccessDenied);
    EXPECT_EQ(bundle->program().value(keys::txtFTPPort), QStringLiteral("21"));
    EXPECT_EQ(bundle->program().GetRegSetting(QString(), QStringLiteral("Settings"), QStringLiteral("x"),
                                              QStringLiteral("fallback")),
              QStringLiteral("fallback"));
}

TEST_F(SettingsTest, PromptSeamGetsAbortRetryIgnoreAndItsAnswerIsUsed) {
    registry.failOn(MemoryRegistry::Op::Set, RegAccessDenied, 1);
    prompt.willAnswer(Prompt::Answer::Retry);
    bundle->program().setValue(keys::chkSplash, QStringLiteral("1"));
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions()[0].buttons, Prompt::Buttons::AbortRetryIgnore);
    EXPECT_EQ(prompt.questions()[0].title, QStringLiteral("Permission Denied"));
    EXPECT_EQ(bundle->program().value(keys::chkSplash), QStringLiteral("1"));

    registry.failOn(MemoryRegistry::Op::Set, RegAccessDenied);
    prompt.willAnswer(Prompt::Answer::Ignore);
    bundle->program().setValue(keys::chkSplash, QStringLiteral("0"));
    EXPECT_EQ(bundle->user().value(keys::IgnorePermissionDeniedError), QStringLiteral("1"));
    bundle->program().setStartedHidden(false);
    bundle->program().setValue(keys::chkSplash, QStringLiteral("0"));
    EXPECT_EQ(prompt.questions().size(), 2);
}

TEST_F(SettingsTest, UserSettingsReadDefaultsAndWhatWasSaved) {
    EXPECT_EQ(bundle->user().value(keys::showHelp), QStringLiteral("1"));
    EXPECT_EQ(bundle->user().GetSetting(QStringLiteral("Vesperon"), QStringLiteral("Settings"),
                                        QStringLiteral("Language"), QString()),
              QString()); // how the first start is recognised
    bundle->user().setValue(keys::showHelp, QStringLiteral("0"));
    bundle->user().setValue(keys::Language, QStringLiteral("Fran\u00E7ais"));
    EXPECT_EQ(bundle->user().value(keys::showHelp), QStringLiteral("0"));
    EXPECT_EQ(bundle->user().value(keys::Language), QStringLiteral("Fran\u00E7ais"));
    // The program store's showHelp is a different setting.
    EXPECT_EQ(bundle->program().value(keys::programShowHelp), QStringLiteral("0"));
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
