// The wizard asks before saving a one-time schedule that would never run.

#include "WizardFixture.h"

using namespace vesperon;

namespace {

class WizardPastStartTest : public test::WizardFixture {};

TEST_F(WizardPastStartTest, AStartBeforeTheCurrentMinuteIsSavedOnlyWhenTheUserSaysSo) {
    startWithWizard();
    pressNew();
    typeName(QStringLiteral("Once"));
    click(w<QCheckBox>("chkScheduler"));
    w<QTimeEdit>("dtTime")->setTime(QTime(14, 19, 59)); // the clock says 14:20:30
    prompt.willAnswer(Prompt::Answer::No);
    pressOk();
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(files().isEmpty());
    ASSERT_NE(wizard(), nullptr);

    w<QTimeEdit>("dtTime")->setTime(QTime(14, 20)); // this minute still fires
    pressOk();
    EXPECT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(files(), QStringList{QStringLiteral("Once.sch")});
}

} // namespace
