#include "settings/RegistryStore.h"
#include "settings/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vesperon::settings;
using Op = MemoryRegistry::Op;

namespace {

const std::string SettingsKey = "SOFTWARE\\Quillmark\\Vesperon\\Settings";

class AnsweringPrompt final : public PermissionPrompt {
public:
    std::vector<Answer> answers;
    std::vector<std::pair<std::string, std::string>> asked;
    Answer ask(const std::string &text, const std::string &title) override {
        asked.emplace_back(text, title);
        if (answers.empty())
            return Answer::Abort;
        const Answer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
};

class RegistryStoreTest : public ::testing::Test {
protected:
    MemoryRegistry registry;
    MemoryUserStore userStore;
    AnsweringPrompt prompt;
    RegistryStore store{registry, userStore, prompt, "Quillmark", "Vesperon"};

    RegReadResult read(const std::string &key, const std::string &defaultValue = "default") {
        return store.GetRegSetting("Vesperon", "Settings", key, defaultValue);
    }
    void save(const std::string &key, const std::string &value) {
        store.SaveRegSetting("Vesperon", "Settings", key, value);
    }
    std::string ignoreFlag() {
        return userStore.GetSetting("Vesperon", "Settings", "IgnorePermissionDeniedError", "0");
    }
};

TEST_F(RegistryStoreTest, MissingKeyOrValueGivesTheDefault) {
    RegReadResult missingKey = read("txtPort", "25");
    EXPECT_FALSE(missingKey.failed());
    EXPECT_EQ(missingKey.value, "25");

    registry.putString(RegRoot::LocalMachine, SettingsKey, "chkMin", "1");
    RegReadResult missingValue = read("txtPort", "25");
    EXPECT_FALSE(missingValue.failed());
    EXPECT_EQ(missingValue.value, "25");
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(RegistryStoreTest, StoredValuesReadBackAndEmptyValueIsNotTheDefault) {
    registry.putString(RegRoot::LocalMachine, SettingsKey, "txtServer", "mail.example.org");
    registry.putRaw(RegRoot::LocalMachine, SettingsKey, "zeroSize", RegSz, "");
    registry.putString(RegRoot::LocalMachine, SettingsKey, "emptyText", "");
    registry.putRaw(RegRoot::LocalMachine, SettingsKey, "noNul", RegSz, "abc");

    EXPECT_EQ(read("txtServer").value, "mail.example.org");
    EXPECT_EQ(read("zeroSize").value, "");
    EXPECT_EQ(read("emptyText").value, "");
    EXPECT_EQ(read("noNul").value, "abc"); // written by someone else without the NUL
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(RegistryStoreTest, ValueOfAnotherTypeIsANumberedError) {
    registry.putRaw(RegRoot::LocalMachine, SettingsKey, "chkMin", RegDword, std::string("\1\0\0\0", 4));
    registry.putRaw(RegRoot::LocalMachine, SettingsKey, "txtLanFolder", RegExpandSz, "%TEMP%\0");

    const RegReadResult dword = read("chkMin", "0");
    EXPECT_EQ(dword.error, 0x800407D4u);
    EXPECT_EQ(dword.message, "Registry data not a string");
    const RegReadResult expand = read("txtLanFolder", "");
    EXPECT_EQ(expand.error, 0x800407D2u);
    EXPECT_EQ(expand.message, "Registry data not a string");
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(RegistryStoreTest, BlankNamesAreRejectedInOrderBeforeTheRegistryIsTouched) {
    struct Case {
        const char *app, *section, *key;
        std::uint32_t error;
        const char *message;
    };
    const Case cases[] = {
        {"", "", "", 0x800403E8u, "AppName may not be empty"},
        {"   ", "Settings", "chkMin", 0x800403E8u, "AppName may not be empty"},
        {"Vesperon", "  ", "", 0x800403E9u, "Section may not be empty"},
        {"Vesperon", "Settings", "   ", 0x800403EAu, "Key may not be empty"},
        {"Vesperon", "Settings", "", 0x800403EAu, "Key may not be empty"},
    };
    for (const Case &c : cases) {
        const RegReadResult result = store.GetRegSetting(c.app, c.section, c.key, "default");
        EXPECT_EQ(result.error, c.error) << c.app << '|' << c.section << '|' << c.key;
        EXPECT_EQ(result.message, c.message);
    }
    EXPECT_EQ(registry.calls(Op::Open), 0);
}

TEST_F(RegistryStoreTest, OpenFailureOtherThanNotFoundIsAnError) {
    registry.failOn(Op::Open, RegAccessDenied);
    const RegReadResult result = read("chkMin");
    EXPECT_EQ(result.error, 0x800407D5u);
    EXPECT_EQ(result.message, "Could not open registry section");
}

TEST_F(RegistryStoreTest, FailedSecondQueryGivesTheDefault) {
    registry.putString(RegRoot::LocalMachine, SettingsKey, "txtPort", "2525");
    registry.failOn(Op::Query, 1, 1, 1); // the size query succeeds, the read fails
    const RegReadResult result = read("txtPort", "25");
    EXPECT_FALSE(result.failed());
    EXPECT_EQ(result.value, "25");
    EXPECT_EQ(registry.calls(Op::Query), 2);
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(RegistryStoreTest, KeyPathIsTrimmedButValueNameIsNot) {
    store.SaveRegSetting(" Vesperon ", " Settings ", "chkMin", "1");
    store.SaveRegSetting("Vesperon", "Settings", " chkMin", "0");
    ASSERT_NE(registry.find(RegRoot::LocalMachine, SettingsKey, "chkMin"), nullptr);
    EXPECT_EQ(registry.find(RegRoot::LocalMachine, SettingsKey, "chkMin")->data, std::string("1\0", 2));
    EXPECT_EQ(registry.valueCount(RegRoot::LocalMachine, SettingsKey), 2u);
    EXPECT_EQ(store.keyPath("  Vesperon", "Settings  "), SettingsKey);
}

TEST_F(RegistryStoreTest, NamesDifferingInCaseAreOneSetting) {
    save("txtport", "2525");
    EXPECT_EQ(read("txtPort", "25").value, "2525");
    save("TXTPORT", "587");
    EXPECT_EQ(read("txtPort", "25").value, "587");
    EXPECT_EQ(registry.valueCount(RegRoot::LocalMachine, SettingsKey), 1u);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(RegistryStoreTest, PermissionDeniedPromptHasTheFixedTitleAndText) {
    registry.failOn(Op::Create, RegAccessDenied, 1);
    save("chkMin", "1");
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].second, "Permission Denied");
    EXPECT_EQ(prompt.asked[0].first, "Vesperon requires read/write access to the system registry and hard "
                                     "drive in order to run properly.  "
                                     "This user account does not have the proper permissions set.  As a "
                                     "result some or all of your settings "
                                     "may not be properly saved.  Please contact your system administrator "
                                     "or change the permission settings "
                                     "for this account.\r\n\r\nIf you would like to prevent this error "
                                     "message from being displayed again, "
                                     "please press 'Ignore'.");
}

TEST_F(RegistryStoreTest, RetryRepeatsTheStepThatFailed) {
    registry.failOn(Op::Create, RegAccessDenied, 1);
    prompt.answers = {PermissionPrompt::Answer::Retry};
    save("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(registry.calls(Op::Create), 2);
    EXPECT_EQ(registry.calls(Op::Set), 1);
    EXPECT_EQ(read("chkMin").value, "1");

    registry.failOn(Op::Set, RegAccessDenied, 2);
    prompt.answers = {PermissionPrompt::Answer::Retry, PermissionPrompt::Answer::Retry};
    save("chkMin", "0");
    EXPECT_EQ(prompt.asked.size(), 3u);
    EXPECT_EQ(registry.calls(Op::Create), 3); // the key is not created again
    EXPECT_EQ(registry.calls(Op::Set), 4);
    EXPECT_EQ(read("chkMin").value, "0");
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(RegistryStoreTest, AbortGivesUpThisWriteAndAsksAgainNextTime) {
    registry.failOn(Op::Set, RegAccessDenied);
    prompt.answers = {PermissionPrompt::Answer::Abort};
    save("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(registry.calls(Op::Set), 1);
    EXPECT_EQ(ignoreFlag(), "0");
    save("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(registry.find(RegRoot::LocalMachine, SettingsKey, "chkMin"), nullptr);
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(RegistryStoreTest, IgnoreStoresTheFlagAndSilencesLaterFailures) {
    registry.failOn(Op::Create, RegAccessDenied);
    prompt.answers = {PermissionPrompt::Answer::Ignore};
    save("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(ignoreFlag(), "1");
    save("chkMin", "1");
    save("chkNoShow", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);

    // A later run reads the flag from the per-user store.
    AnsweringPrompt laterPrompt;
    RegistryStore laterRun(registry, userStore, laterPrompt, "Quillmark", "Vesperon");
    laterRun.SaveRegSetting("Vesperon", "Settings", "chkMin", "1");
    EXPECT_TRUE(laterPrompt.asked.empty());
}

TEST_F(RegistryStoreTest, IgnoreHoldsForThisRunEvenWhenTheFlagCannotBeStored) {
    userStore.setReadOnly(true);
    registry.failOn(Op::Set, RegAccessDenied);
    prompt.answers = {PermissionPrompt::Answer::Ignore};
    save("chkMin", "1");
    save("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(ignoreFlag(), "0");
}

TEST_F(RegistryStoreTest, NoPromptWhenStartedHiddenOrAskedNotToBeTold) {
    registry.failOn(Op::Create, RegAccessDenied);
    store.setStartedHidden(true);
    save("chkMin", "1");
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(registry.calls(Op::Create), 1);

    store.setStartedHidden(false);
    userStore.SaveSetting("Vesperon", "Settings", "ignorepermissiondeniederror", "1");
    save("chkMin", "1");
    EXPECT_TRUE(prompt.asked.empty());

    userStore.SaveSetting("Vesperon", "Settings", "IgnorePermissionDeniedError", "0");
    save("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);
}

} // namespace
