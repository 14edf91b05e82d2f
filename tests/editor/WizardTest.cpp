// The schedule wizard driven through the main window as a user drives it, judged by the bytes
// of the schedule files it writes and by what it asks.
#include "WizardFixture.h"
#include "editor/WizardRules.h"
#include "support/DiskFaults.h"

using namespace vesperon;

namespace {

using WizardTest = test::WizardFixture;
using test::scheduleBytes;
using test::Today;

// Weekdays toggle by their box only, month days by box or text; only the list in sight is
// written, ascending; nothing checked writes an empty period.
TEST_F(WizardTest, RepeatingSchedulesWriteTheDaysChecked) {
    clock.set(QDateTime(QDate(2026, 6, 10), QTime(14, 37, 0)));
    startWithSchedules();
    newRepeating(u"Backup"_s, 1);
    for (int day : {4, 0, 2})
        clickBox(weekList(), day);
    clickText(weekList(), 1);
    pressOk();
    EXPECT_EQ(bytes("Backup"), scheduleBytes("Shut Down", true, Today, "15:00:00", true, 1, "mon,wed,fri"));

    newRepeating(u"Month end"_s, 1);
    clickBox(weekList(), 0);
    click(option(2));
    clickText(monthList(), 30);
    clickBox(monthList(), 14);
    clickText(monthList(), 0);
    clickText(monthList(), 1); // day 2 on and off again
    clickText(monthList(), 1);
    pressOk();
    EXPECT_EQ(bytes("Month end"), scheduleBytes("Shut Down", true, Today, "15:00:00", true, 2, "1,15,31"));
    EXPECT_TRUE(prompt.questions().isEmpty());
}

TEST_F(WizardTest, ADisabledScheduleKeepsNoStartAndATypedActionIsStoredAsTyped) {
    power.hibernationAvailable = true;
    clock.set(QDateTime(QDate(2026, 12, 31), QTime(23, 40, 0)));
    startWithSchedules();
    pressNew();
    EXPECT_EQ(w<QComboBox>("cbShutdown")->currentText(), u"Hibernate"_s);
    EXPECT_EQ(w<QDateEdit>("dtDate")->text(), u"12/31/2026"_s); // today,
    EXPECT_EQ(w<QTimeEdit>("dtTime")->text(), u"00:00:00"_s);   // at the next full hour
    newRepeating(u"Off"_s, 1);
    clickBox(weekList(), 0);
    click(w<QCheckBox>("chkScheduler"));
    EXPECT_FALSE(w<QDateEdit>("dtDate")->isEnabled() || w<QTimeEdit>("dtTime")->isEnabled());
    auto *action = w<QComboBox>("cbShutdown")->lineEdit();
    action->clear();
    QTest::keyClicks(action, u"Power nap"_s);
    pressOk();
    EXPECT_EQ(bytes("Off"), scheduleBytes("Power nap", false, "", "", false, 0, ""));
}

// Edit shows the schedule as saved and Ok writes back the same bytes, without its last run.
TEST_F(WizardTest, EditRestoresTheScheduleAndWritesItBackUnchanged) {
    startWithSchedules(
        {{"Nightly",
          scheduleBytes("Reboot", true, "6/1/2026", "22:30:15", true, 2, "1,15", "6/1/2026 22:30:15")},
         {"Weekly", scheduleBytes("Log Off", true, "6/1/2026", "08:00:00", true, 1, "tue,sat")},
         {"Once", scheduleBytes("Stand by", true, "6/1/2026", "07:05:09", false, 0, "")},
         {"Off", scheduleBytes("Reboot", false, "", "", false, 0, "")}});
    clickRow(u"Nightly"_s);
    pressEdit();
    EXPECT_FALSE(w<QLineEdit>("txtName")->isEnabled());
    pressOk();
    EXPECT_EQ(bytes("Nightly"), scheduleBytes("Reboot", true, "6/1/2026", "22:30:15", true, 2, "1,15"));
    for (const QString name : {"Weekly", "Once", "Off"}) {
        const QByteArray before = bytes(name);
        clickRow(name);
        pressEdit();
        pressOk();
        EXPECT_EQ(bytes(name), before) << name.toStdString();
    }
    // Only the one-time schedule whose start has passed asks before it is saved again.
    EXPECT_EQ(prompt.questions().size(), 1);
}

// A name already in the list (in any case, a quick row's too), an empty one or one that is no
// file name is refused with a message; the wizard stays open with the user's entries.
TEST_F(WizardTest, RefusedNamesAndFailedWritesKeepTheWizardOpenAndWriteNothing) {
    startWithSchedules({{"Backup", scheduleBytes("Reboot", false, "", "", false, 0, "")}});
    control<QComboBox>("cmbTime")->setCurrentText(u"In 1 Hour"_s);
    clickButton("cmdGo");
    const QString quickRow = window->scheduleList().rows().last().name;
    const std::pair<QString, const char *> refused[] = {
        {"backup", "MSG_NEWNAME"}, {quickRow.toLower(), "MSG_NEWNAME"}, {"", "MSG_NONAME"}, {"a/b", nullptr}};
    newRepeating(QString(), 1);
    clickBox(weekList(), 3);
    for (const auto &[name, message] : refused) {
        w<QLineEdit>("txtName")->setText(name);
        pressOk();
        ASSERT_NE(wizard(), nullptr) << name.toStdString();
        EXPECT_EQ(prompt.questions().last().text,
                  message ? languages->getMessages(message) : u"Error 52 - Bad file name or number"_s);
    }
    EXPECT_TRUE(checked(weekList(), 3));

    // The data folder cannot be made: a file stands in its place. Once it is back, the same
    // entries save.
    ASSERT_TRUE(QDir(dataFolder()).removeRecursively());
    test::writeBytes(dataFolder(), "not a folder");
    w<QLineEdit>("txtName")->setText(u"ab"_s);
    pressOk();
    EXPECT_EQ(prompt.questions().last().text, u"Error 76 - Path not found"_s);
    ASSERT_TRUE(QFile::remove(dataFolder()));
    pressOk();
    EXPECT_EQ(wizard(), nullptr);
    EXPECT_EQ(bytes("ab"), scheduleBytes("Shut Down", true, Today, "15:00:00", true, 1, "thu"));
}

TEST_F(WizardTest, AStartBeforeTheCurrentMinuteIsSavedOnlyWhenTheUserSaysSo) {
    startWithSchedules();
    pressNew();
    typeName(u"Once"_s);
    click(w<QCheckBox>("chkScheduler"));
    w<QTimeEdit>("dtTime")->setTime(QTime(14, 19, 59)); // the clock says 14:20:30
    prompt.willAnswer(Prompt::Answer::No);
    pressOk();
    EXPECT_TRUE(files().isEmpty());
    ASSERT_NE(wizard(), nullptr);
    w<QTimeEdit>("dtTime")->setTime(QTime(14, 20)); // this minute still fires
    pressOk();
    EXPECT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(files(), QStringList{u"Once.sch"_s});
}

// New and Edit while the wizard is open reuse it as the user left it; only the last of them
// decides whether the name is checked against the list.
TEST_F(WizardTest, NewOrEditWhileOpenReusesTheWizardAndOnlyDecidesTheNameCheck) {
    startWithSchedules({{"Backup", scheduleBytes("Reboot", false, "", "", false, 0, "")}});
    clickRow(u"Backup"_s);
    pressNew();
    typeName(u"Backup"_s);
    click(w<QCheckBox>("chkScheduler"));
    pressEdit();
    EXPECT_EQ(window->findChildren<ScheduleWizard *>().size(), 1);
    EXPECT_EQ(w<QLineEdit>("txtName")->text(), u"Backup"_s);
    pressOk();
    EXPECT_TRUE(prompt.questions().isEmpty());
    EXPECT_EQ(bytes("Backup"), scheduleBytes("Shut Down", true, Today, "15:00:00", false, 0, ""));

    clickRow(u"Backup"_s);
    pressEdit();
    pressNew();
    pressOk();
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions()[0].text, languages->getMessages("MSG_NEWNAME"));
}

TEST_F(WizardTest, CancelTheCloseBoxAndExitWriteNothingAndTheNextOpenLoadsAfresh) {
    startWithSchedules();
    const std::function<void()> leave[] = {[this] { click(w<QPushButton>("cmdCancel")); },
                                           [this] { wizard()->close(); },
                                           [this] { choose("mnuFileItem", 6); }};
    for (const auto &away : leave) {
        pressNew();
        EXPECT_TRUE(w<QLineEdit>("txtName")->text().isEmpty());
        typeName(u"Never"_s);
        click(w<QCheckBox>("chkScheduler"));
        away();
        settle();
        EXPECT_EQ(wizard(), nullptr);
    }
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(prompt.questions().isEmpty());
}

using WizardOnAFailingDisk = test::OnEachDiskFault<test::WizardFixture>;

TEST_P(WizardOnAFailingDisk, ShowsTheErrorStaysOpenAndNeverLosesASchedule) {
    test::DiskFaultScope fault(GetParam(), dataFolder());
    if (!fault.unavailable().isEmpty())
        GTEST_SKIP() << fault.unavailable().toStdString();
    const QByteArray saved = scheduleBytes("Reboot", true, "6/1/2026", "22:30:15", true, 2, "1,15");
    startWithSchedules({{"Nightly", saved}});
    fault.fill();
    ASSERT_FALSE(HasFatalFailure());

    clickRow(u"Nightly"_s);
    pressEdit();
    clickText(monthList(), 2);
    pressOk();
    ASSERT_NE(wizard(), nullptr);
    EXPECT_TRUE(checked(monthList(), 2));
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions()[0].text, u"Error 61 - Disk full"_s);
    EXPECT_EQ(bytes("Nightly"), saved);
    QStringList left = QDir(dataFolder()).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(u"filler"_s);
    left.removeAll(u"DateForm.txt"_s); // recorded by the load before the disk filled
    EXPECT_EQ(left, QStringList{u"Nightly.sch"_s});
}

INSTANTIATE_TEST_SUITE_P(Faults, WizardOnAFailingDisk, test::EveryDiskFault, test::faultName);

// A data folder keeps the date form of the locale it got its first schedule in, written in
// ASCII digits, whatever the desktop's locale becomes; the list shows the current locale's form.
TEST_F(WizardTest, SchedulesAreSavedInTheDateFormTheirFolderStartedWith) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QLocale::setDefault(QLocale(QLocale::Bangla, QLocale::Bangladesh));
    startWithSchedules();
    for (const QString name : {"First", "Second"}) {
        pressNew();
        typeName(name);
        click(w<QCheckBox>("chkScheduler"));
        w<QDateEdit>("dtDate")->setDate(QDate(2026, 12, 7));
        w<QTimeEdit>("dtTime")->setTime(QTime(8, 0));
        pressOk();
        QLocale::setDefault(us);
    }
    for (const QString name : {"First", "Second"}) {
        EXPECT_EQ(bytes(name), scheduleBytes("Shut Down", true, "7/12/2026", "08:00:00", false, 0, ""));
        const ScheduleListModel &list = window->scheduleList();
        EXPECT_EQ(list.row(list.FindScheduleRow(name) - 1).nextRunTime, u"12/7/2026 08:00:00"_s);
    }
}

// Which controls the two switches leave usable and which day list shows.
TEST(WizardStart, TheSwitchesEnableTheControlsBelowThem) {
    using L = DayList;
    const struct {
        bool scheduler, repeat;
        int kind;
        WizardControlStates states;
    } cases[] = {
        {false, true, 1, {false, false, false, L::None}},  {true, false, 1, {true, true, false, L::None}},
        {true, true, 0, {true, true, true, L::None}},      {true, true, 1, {true, true, true, L::Weekdays}},
        {true, true, 2, {true, true, true, L::MonthDays}},
    };
    for (const auto &c : cases)
        EXPECT_TRUE(wizardControlStates(c.scheduler, c.repeat, c.kind) == c.states)
            << c.scheduler << c.repeat << c.kind;
}

// Hand-edited files open without surprises: an enabled schedule without a start takes the
// current moment and says so; unreadable values open as today at this hour, daily.
TEST(WizardStart, HandEditedSchedulesOpenWithoutSurprises) {
    const QString us = u"M/d/yyyy"_s;
    const QDateTime now(QDate(2026, 6, 10), QTime(14, 37, 12));
    ScheduleRecord current;
    current.Enabled = current.Repeat = true;
    current.SAccurancy = 7;
    EXPECT_EQ(entriesForSchedule(current, now, us).time, QTime(14, 37, 12));
    EXPECT_EQ(current.StartTime, u"6/10/2026 14:37:12"_s);
    current.StartDate = u"31/12/2026"_s;
    current.StartTime = u"25:00:00"_s;
    current.SAccurancy = -1;
    const WizardEntries e = entriesForSchedule(current, now, us);
    EXPECT_EQ(e.date, now.date());
    EXPECT_EQ(e.time, QTime(14, 0, 0));
    EXPECT_EQ(e.repeatKind, EveryDay);
    EXPECT_EQ(weekdaysFromPeriod(u"Mon, tue,1,,sun,sun"_s),
              (WeekdayChecks{false, false, false, false, false, false, true}));
}

} // namespace
