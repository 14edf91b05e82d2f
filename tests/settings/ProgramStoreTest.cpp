// The program store's numbered errors and its Permission Denied prompt, over the store in
// memory. The same store over INI files is in DesktopStoresTest, over the registry in
// wine/Win32SettingsTest.
#include "settings/ProgramStore.h"
#include "support/SettingsDoubles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vesperon::settings;
using vesperon::test::MemorySettingsStore;

namespace {

constexpr SettingsScope Program = SettingsScope::Program;
constexpr SettingsScope ThisUser = SettingsScope::ThisUser;

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

class ProgramStoreTest : public ::testing::Test {
protected:
    MemorySettingsStore memory;
    AnsweringPrompt prompt;
    ProgramStore store{memory, prompt, "Vesperon"};

    ReadResult read(const std::string &key, const std::string &defaultValue = "default") {
        return store.read(key, defaultValue);
    }
    std::string stored(const std::string &key) const {
        const MemorySettingsStore::Value *value = memory.find(Program, key);
        return value ? value->text : "<none>";
    }
    std::string ignoreFlag() const {
        const MemorySettingsStore::Value *value = memory.find(ThisUser, "IgnorePermissionDeniedError");
        return value ? value->text : "0";
    }
};

TEST_F(ProgramStoreTest, MissingValueGivesTheDefaultAndEmptyValueIsNotTheDefault) {
    const ReadResult missing = read("txtPort", "25");
    EXPECT_FALSE(missing.failed());
    EXPECT_EQ(missing.value, "25");

    memory.put(Program, "txtServer", "mail.example.org");
    memory.put(Program, "txtUsername", "");
    EXPECT_EQ(read("txtServer").value, "mail.example.org");
    EXPECT_EQ(read("txtUsername").value, "");
}

TEST_F(ProgramStoreTest, BackEndFailuresAreNumberedAboveTheStoreBase) {
    memory.failReads(Program, StoreRead::failed(5, "Could not open registry section"), 1);
    const ReadResult denied = read("chkMin");
    EXPECT_EQ(denied.error, 0x800407D5u);
    EXPECT_EQ(denied.message, "Could not open registry section");

    memory.failReads(Program, StoreRead::failed(4, "Registry data not a string"), 1);
    const ReadResult dword = read("chkMin", "0");
    EXPECT_EQ(dword.error, 0x800407D4u);
    EXPECT_EQ(dword.message, "Registry data not a string");
    EXPECT_EQ(dword.value, "");
}

TEST_F(ProgramStoreTest, BlankKeyIsRejectedBeforeTheStoreIsTouched) {
    for (const char *key : {"", "   "}) {
        const ReadResult result = read(key);
        EXPECT_EQ(result.error, 0x800403EAu) << '"' << key << '"';
        EXPECT_EQ(result.message, "Key may not be empty");
    }
    EXPECT_EQ(memory.reads(), 0);
}

TEST_F(ProgramStoreTest, ValueNamesAreNotTrimmed) {
    store.write("chkMin", "1");
    store.write(" chkMin", "0");
    EXPECT_EQ(stored("chkMin"), "1");
    EXPECT_EQ(memory.count(Program), 2u);
}

TEST_F(ProgramStoreTest, PermissionDeniedPromptHasTheFixedTitleAndText) {
    memory.failWrites(Program, StoreWrite::accessDenied(), 1);
    store.write("chkMin", "1");
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

TEST_F(ProgramStoreTest, RetryRepeatsTheWriteUntilItSucceeds) {
    memory.failWrites(Program, StoreWrite::accessDenied(), 2);
    prompt.answers = {PermissionPrompt::Answer::Retry, PermissionPrompt::Answer::Retry};
    store.write("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(memory.writes(Program), 3);
    EXPECT_EQ(stored("chkMin"), "1");
}

TEST_F(ProgramStoreTest, AnyFailedWriteTakesThePromptPath) {
    memory.failWrites(Program, StoreWrite::failed(1021, "Could not create registry section"), 1);
    prompt.answers = {PermissionPrompt::Answer::Retry};
    store.write("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(stored("chkMin"), "1");
}

TEST_F(ProgramStoreTest, AbortGivesUpThisWriteAndAsksAgainNextTime) {
    memory.failWrites(Program, StoreWrite::accessDenied());
    prompt.answers = {PermissionPrompt::Answer::Abort};
    store.write("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(memory.writes(Program), 1);
    EXPECT_EQ(ignoreFlag(), "0");
    store.write("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(stored("chkMin"), "<none>");
}

TEST_F(ProgramStoreTest, IgnoreStoresTheFlagAndSilencesLaterFailures) {
    memory.failWrites(Program, StoreWrite::accessDenied());
    prompt.answers = {PermissionPrompt::Answer::Ignore};
    store.write("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(ignoreFlag(), "1");
    store.write("chkMin", "1");
    store.write("chkNoShow", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);

    // A later run reads the flag from this user's store.
    AnsweringPrompt laterPrompt;
    ProgramStore laterRun(memory, laterPrompt, "Vesperon");
    laterRun.write("chkMin", "1");
    EXPECT_TRUE(laterPrompt.asked.empty());
}

TEST_F(ProgramStoreTest, IgnoreHoldsForThisRunEvenWhenTheFlagCannotBeStored) {
    memory.failWrites(ThisUser, StoreWrite::accessDenied());
    memory.failWrites(Program, StoreWrite::accessDenied());
    prompt.answers = {PermissionPrompt::Answer::Ignore};
    store.write("chkMin", "1");
    store.write("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(ignoreFlag(), "0");
}

TEST_F(ProgramStoreTest, NoPromptWhenStartedHiddenOrAskedNotToBeTold) {
    memory.failWrites(Program, StoreWrite::accessDenied());
    store.setStartedHidden(true);
    store.write("chkMin", "1");
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(memory.writes(Program), 1);

    store.setStartedHidden(false);
    memory.put(ThisUser, "ignorepermissiondeniederror", "1");
    store.write("chkMin", "1");
    EXPECT_TRUE(prompt.asked.empty());

    memory.put(ThisUser, "IgnorePermissionDeniedError", "0");
    store.write("chkMin", "1");
    EXPECT_EQ(prompt.asked.size(), 1u);
}

} // namespace
