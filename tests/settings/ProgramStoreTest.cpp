// The program store's numbered errors and its Permission Denied prompt, over the store in
// memory. The same store over INI files is in DesktopStoresTest, over the registry in
// wine/Win32SettingsTest.
#include "settings/ProgramStore.h"
#include "support/SettingsDoubles.h"

#include "support/Testing.h"

#include <vector>

using namespace vesperon::settings;
using vesperon::test::MemorySettingsStore;

namespace {

constexpr SettingsScope Program = SettingsScope::Program;
constexpr SettingsScope ThisUser = SettingsScope::ThisUser;
using Answer = PermissionPrompt::Answer;

class AnsweringPrompt final : public PermissionPrompt {
public:
    std::vector<Answer> answers;
    std::vector<std::string> titles;
    Answer ask(const std::string &, const std::string &title) override {
        titles.push_back(title);
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
};

TEST_F(ProgramStoreTest, ReadsGiveTheValueTheDefaultOrANumberedError) {
    memory.put(Program, "txtUsername", "");
    EXPECT_EQ(store.read("txtUsername", "x").value, ""); // an empty value is not the default

    memory.failReads(Program, StoreRead::failed(5, "Could not open registry section"), 1);
    const ReadResult denied = store.read("chkMin", "0");
    EXPECT_EQ(denied.error, 0x800407D5u);
    const int readsBefore = memory.reads();
    EXPECT_EQ(store.read("   ", "x").error, 0x800403EAu);
    EXPECT_EQ(memory.reads(), readsBefore);

    store.write(" chkMin", "0"); // names are not trimmed
    store.write("chkMin", "1");
    EXPECT_EQ(memory.text(Program, "chkMin"), "1");
    EXPECT_EQ(memory.text(Program, " chkMin"), "0");
}

// Every failed write asks Abort/Retry/Ignore: Retry writes again, Abort gives this write up
// and asks again next time, Ignore is remembered for this user (and holds for the run even
// when it cannot be stored).
TEST_F(ProgramStoreTest, AFailedWriteAsksAndEachAnswerDoesItsPart) {
    const struct {
        const char *what;
        int failures;   // writes of the program scope that fail, -1: all
        bool userFails; // the ignore flag cannot be stored either
        std::vector<Answer> answers;
        std::string value;     // chkMin afterwards
        std::string ignore;    // the stored flag afterwards
        std::size_t questions; // after two writes
    } cases[] = {
        {"retry", 2, false, {Answer::Retry, Answer::Retry}, "1", "<none>", 2},
        {"abort", -1, false, {Answer::Abort, Answer::Abort}, "<none>", "<none>", 2},
        {"ignore", -1, false, {Answer::Ignore}, "<none>", "1", 1},
        {"ignore unstored", -1, true, {Answer::Ignore}, "<none>", "<none>", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MemorySettingsStore memory;
        AnsweringPrompt prompt;
        ProgramStore store{memory, prompt, "Vesperon"};
        memory.failWrites(Program, StoreWrite::failed(1021, "Could not create registry section"), c.failures);
        if (c.userFails)
            memory.failWrites(ThisUser, StoreWrite::accessDenied());
        prompt.answers = c.answers;
        store.write("chkMin", "1");
        if (c.failures < 0)
            store.write("chkMin", "1");
        EXPECT_EQ(prompt.titles.size(), c.questions);
        EXPECT_EQ(prompt.titles.front(), "Permission Denied");
        EXPECT_EQ(memory.text(Program, "chkMin"), c.value);
        EXPECT_EQ(memory.text(ThisUser, "IgnorePermissionDeniedError"), c.ignore);
    }
}

// The user's "ignore" holds for later runs, whatever its spelling; a program started hidden
// never asks (seen through the main window in MainWindowTest).
TEST_F(ProgramStoreTest, NoPromptWhenAskedNotToBeTold) {
    memory.failWrites(Program, StoreWrite::accessDenied());
    memory.put(ThisUser, "ignorepermissiondeniederror", "1");
    store.write("chkMin", "1");
    EXPECT_TRUE(prompt.titles.empty());
    memory.put(ThisUser, "IgnorePermissionDeniedError", "0");
    store.write("chkMin", "1");
    EXPECT_EQ(prompt.titles.size(), 1u);
}

} // namespace
