// The wizard asks before saving a one-time schedule that would never run.

#include "WizardFixture.h"

using namespace vesperon;

namespace {

class WizardPastStartTest : public test::WizardFixture {};

TEST(StartHasPassed, OnlyAnEnabledOneTimeStartBeforeTheCurrentMinute) {
    const QDateTime now(QDate(2026, 6, 10), QTime(14, 20, 30));
    const struct {
        bool scheduler, repeat;
        QDate date;
        QTime time;
        bool passed;
    } cases[] = {
        {true, false, now.date(), QTime(14, 19, 59), true},
        {true, false, now.date(), QTime(14, 20, 0), false}, // it still fires this minute
        {true, false, now.date().addDays(-1), QTime(23, 0), true},
        {true, false, now.date().addDays(1), QTime(0, 0), false},
        {true, true, now.date(), QTime(9, 0), false}, // a repeating one comes round again
        {false, false, now.date(), QTime(9, 0), false},
    };
    for (const auto &c : cases) {
        WizardEntries entries;
        entries.scheduler = c.scheduler;
        entries.repeat = c.repeat;
        entries.date = c.date;
        entries.time = c.time;
        EXPECT_EQ(startHasPassed(entries, now), c.passed) << c.time.toString().toStdString();
    }
}

TEST_F(WizardPastStartTest, APassedStartIsSavedOnlyWhenTheUserSaysSo) {
    startWithWizard();
    pressNew();
    typeName(QStringLiteral("Once"));
    click(w<QCheckBox>("chkScheduler"));
    w<QTimeEdit>("dtTime")->setTime(QTime(14, 0));
    prompt.willAnswer(Prompt::Answer::No);
    pressOk();
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions().first().buttons, Prompt::Buttons::YesNo);
    EXPECT_TRUE(files().isEmpty());
    ASSERT_NE(wizard(), nullptr);
    EXPECT_TRUE(wizard()->isVisible());

    prompt.willAnswer(Prompt::Answer::Yes);
    pressOk();
    EXPECT_EQ(files(), QStringList{QStringLiteral("Once.sch")});
}

} // namespace
