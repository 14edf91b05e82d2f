// The program's settings over a store in memory: what a failed read gives, and what a failed
// write asks and does. The same store over INI files is in DesktopStoresTest, over the registry
// in wine/Win32SettingsTest.
#include "settings/Settings.h"
#include "support/CoreDoubles.h"
#include "support/SettingsDoubles.h"
#include "support/Testing.h"

#include <vector>

using namespace vesperon;
using namespace vesperon::settings;

namespace {

constexpr SettingsScope Program = SettingsScope::Program;
constexpr SettingsScope ThisUser = SettingsScope::ThisUser;
using Answer = Prompt::Answer;

TEST(ProgramSettingsTest, AStoredValueEvenAnEmptyOneWinsAndAFailedReadGivesTheDefault) {
    test::MemorySettingsStore memory;
    test::ScriptedPrompt prompt;
    ProgramSettings program(memory, prompt, u"Vesperon"_s);
    memory.put(Program, "txtPort", "");
    EXPECT_EQ(program.value(keys::txtPort), QString());
    memory.readFailure = StoreRead::failed(5, "Could not open registry section");
    EXPECT_EQ(program.value(keys::txtPort), u"25"_s);
}

// Every failed write asks Abort/Retry/Ignore: Retry writes again, Abort gives this write up and
// asks again next time, Ignore is stored for this user (and holds for the run even when it
// cannot be stored). A stored "1" from an earlier run means never ask.
TEST(ProgramSettingsTest, AFailedWriteAsksAndEachAnswerDoesItsPart) {
    const struct {
        const char *what;
        int failures;     // writes of the program scope that fail, -1: all
        const char *flag; // the ignore flag before, "" none
        bool flagFails;   // the flag cannot be stored
        std::vector<Answer> answers;
        const char *value, *flagAfter; // chkMin and the flag afterwards
        qsizetype questions;
    } cases[] = {
        {"retry", 2, "", false, {Answer::Retry, Answer::Retry}, "1", "<none>", 2},
        {"abort", -1, "0", false, {}, "<none>", "0", 2},
        {"ignore", -1, "", false, {Answer::Ignore}, "<none>", "1", 1},
        {"ignore unstored", -1, "", true, {Answer::Ignore}, "<none>", "<none>", 1},
        {"ignored before", -1, "1", false, {}, "<none>", "1", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        test::MemorySettingsStore memory;
        test::ScriptedPrompt prompt; // out of answers, it takes Abort
        ProgramSettings program(memory, prompt, u"Vesperon"_s);
        memory.failWrites(Program, StoreWrite::accessDenied(), c.failures);
        if (*c.flag)
            memory.put(ThisUser, "IgnorePermissionDeniedError", c.flag);
        if (c.flagFails)
            memory.failWrites(ThisUser, StoreWrite::accessDenied());
        for (const Answer answer : c.answers)
            prompt.willAnswer(answer);
        program.setValue(keys::chkMin, u"1"_s);
        if (c.failures < 0)
            program.setValue(keys::chkMin, u"1"_s);
        EXPECT_EQ(prompt.questions().size(), c.questions);
        EXPECT_EQ(memory.text(Program, "chkMin"), c.value);
        EXPECT_EQ(memory.text(ThisUser, "IgnorePermissionDeniedError"), c.flagAfter);
    }
}

} // namespace
