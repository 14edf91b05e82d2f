#include "WizardFixture.h"

using namespace vesperon;

namespace {

using WizardSaveTest = test::WizardFixture;
using test::scheduleBytes;
using test::Today;

TEST_F(WizardSaveTest, WeeklyScheduleWritesTheCheckedWeekdaysAndReloadsTheList) {
    startWithWizard();
    newRepeating(QStringLiteral("Backup"), 1);
    ASSERT_TRUE(weekList()->isVisible());
    EXPECT_FALSE(monthList()->isVisible());
    for (int day : {4, 0, 2})
        clickBox(weekList(), day);
    clickText(weekList(), 1); // a weekday's text does not toggle it
    clickText(weekList(), 4);
    EXPECT_FALSE(checked(weekList(), 1));
    EXPECT_TRUE(checked(weekList(), 4));
    QPointer<ScheduleWizard> open = wizard();
    pressOk();
    settle();

    EXPECT_TRUE(open.isNull());
    EXPECT_TRUE(prompt.questions().isEmpty());
    EXPECT_EQ(bytes("Backup"), scheduleBytes("Shut Down", true, Today, "15:00:00", true, 1, "mon,wed,fri"));
    EXPECT_GT(window->scheduleList().FindScheduleRow(QStringLiteral("Backup")), 0);
}

TEST_F(WizardSaveTest, MonthlyDaysToggleByTextOrBoxAndAreWrittenAscending) {
    startWithWizard();
    newRepeating(QStringLiteral("Month end"), 2);
    ASSERT_TRUE(monthList()->isVisible());
    EXPECT_FALSE(weekList()->isVisible());
    clickText(monthList(), 30); // day 31 by its text
    clickBox(monthList(), 14);  // day 15 by its box
    clickText(monthList(), 0);
    clickText(monthList(), 1); // day 2 on and off again
    EXPECT_TRUE(checked(monthList(), 1));
    clickText(monthList(), 1);
    clickBox(monthList(), 2); // day 3 on and off by its box
    clickBox(monthList(), 2);
    pressOk();
    EXPECT_EQ(bytes("Month end"), scheduleBytes("Shut Down", true, Today, "15:00:00", true, 2, "1,15,31"));
}

TEST_F(WizardSaveTest, WeeklyOrMonthlyWithNothingCheckedWritesAnEmptyPeriod) {
    startWithWizard();
    for (int kind : {1, 2}) {
        const QString name = QStringLiteral("Empty %1").arg(kind);
        newRepeating(name, kind);
        pressOk();
        settle();
        EXPECT_EQ(bytes(name), scheduleBytes("Shut Down", true, Today, "15:00:00", true, kind, ""));
    }
}

TEST_F(WizardSaveTest, SwitchingWeeklyToMonthlyWritesOnlyTheVisibleList) {
    startWithWizard();
    newRepeating(QStringLiteral("Switch"), 1);
    clickBox(weekList(), 0);
    clickBox(weekList(), 6);
    click(option(2));
    EXPECT_FALSE(weekList()->isVisible());
    ASSERT_TRUE(monthList()->isVisible());
    clickText(monthList(), 14);
    EXPECT_TRUE(checked(weekList(), 0)); // kept in the hidden list
    pressOk();
    EXPECT_EQ(bytes("Switch"), scheduleBytes("Shut Down", true, Today, "15:00:00", true, 2, "15"));
}

TEST_F(WizardSaveTest, DisabledScheduleKeepsNoStartRepeatOrPeriod) {
    startWithWizard();
    newRepeating(QStringLiteral("Off"), 1);
    clickBox(weekList(), 0);
    w<QDateEdit>("dtDate")->setDate(QDate(2026, 7, 1));
    click(w<QCheckBox>("chkScheduler"));
    pressOk();
    EXPECT_EQ(bytes("Off"), scheduleBytes("Shut Down", false, "", "", false, 0, ""));
}

TEST_F(WizardSaveTest, EditRestoresTheScheduleKeepsItsNameAndClearsLastRunTime) {
    QDir().mkpath(dataFolder());
    test::writeBytes(file("Nightly"), scheduleBytes("Reboot", true, "6/1/2026", "22:30:15", true, 2, "1,15",
                                                    "6/1/2026 22:30:15"));
    startWithWizard();
    clickRow(QStringLiteral("Nightly"));
    pressEdit();
    ASSERT_NE(wizard(), nullptr);
    EXPECT_FALSE(w<QLineEdit>("txtName")->isEnabled());
    EXPECT_EQ(w<QLineEdit>("txtName")->text(), QStringLiteral("Nightly"));
    EXPECT_EQ(w<QComboBox>("cbShutdown")->currentText(), QStringLiteral("Reboot"));
    EXPECT_TRUE(w<QCheckBox>("chkScheduler")->isChecked());
    EXPECT_EQ(w<QDateEdit>("dtDate")->text(), QStringLiteral("6/1/2026"));
    EXPECT_EQ(w<QTimeEdit>("dtTime")->text(), QStringLiteral("22:30:15"));
    EXPECT_TRUE(w<QCheckBox>("chkRepeat")->isChecked());
    EXPECT_TRUE(option(2)->isChecked());
    ASSERT_TRUE(monthList()->isVisible());
    for (int day = 0; day < 31; ++day)
        EXPECT_EQ(checked(monthList(), day), day == 0 || day == 14) << day;

    pressOk();
    EXPECT_TRUE(prompt.questions().isEmpty()); // no duplicate test for an edit
    EXPECT_EQ(bytes("Nightly"), scheduleBytes("Reboot", true, "6/1/2026", "22:30:15", true, 2, "1,15"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("Nightly.sch")});
}

TEST_F(WizardSaveTest, EditRoundTripLeavesTheFileByteIdentical) {
    startWithWizard();
    newRepeating(QStringLiteral("Weekly"), 1);
    clickBox(weekList(), 1);
    clickBox(weekList(), 5);
    pressOk();
    newRepeating(QStringLiteral("Monthly"), 2);
    clickText(monthList(), 27);
    pressOk();
    pressNew();
    typeName(QStringLiteral("Once"));
    click(w<QCheckBox>("chkScheduler"));
    w<QTimeEdit>("dtTime")->setTime(QTime(17, 5, 9)); // still to come: saved without a question
    pressOk();
    pressNew();
    typeName(QStringLiteral("Off"));
    pressOk();
    settle();

    for (const QString name : {"Weekly", "Monthly", "Once", "Off"}) {
        const QByteArray before = bytes(name);
        clickRow(name);
        pressEdit();
        ASSERT_NE(wizard(), nullptr);
        pressOk();
        settle();
        EXPECT_EQ(bytes(name), before) << name.toStdString();
    }
    EXPECT_EQ(bytes("Once"), scheduleBytes("Shut Down", true, Today, "17:05:09", false, 0, ""));
    EXPECT_TRUE(prompt.questions().isEmpty());
}

// A data folder keeps the date form of the locale it got its first schedule in, written in
// ASCII digits, whatever the desktop's locale becomes; the list shows the current locale's form.
TEST_F(WizardSaveTest, SchedulesAreSavedInTheDateFormTheirFolderStartedWith) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QLocale::setDefault(QLocale(QLocale::Bangla, QLocale::Bangladesh));
    startWithWizard();
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
        EXPECT_EQ(list.row(list.FindScheduleRow(name) - 1).nextRunTime, QStringLiteral("12/7/2026 08:00:00"));
    }
}

TEST_F(WizardSaveTest, TheActionBoxOffersTheActionsAndStoresATypedNameAsTyped) {
    power.hibernationAvailable = true;
    startWithWizard();
    pressNew();
    auto *actions = w<QComboBox>("cbShutdown");
    QStringList items;
    for (int i = 0; i < actions->count(); ++i)
        items << actions->itemText(i);
    EXPECT_EQ(items, (QStringList{"Hibernate", "Shut Down", "Reboot", "Log Off", "Stand by"}));
    EXPECT_EQ(actions->currentText(), QStringLiteral("Hibernate"));
    actions->lineEdit()->clear();
    QTest::keyClicks(actions->lineEdit(), QStringLiteral("Power nap"));
    typeName(QStringLiteral("Typed"));
    pressOk();
    EXPECT_EQ(bytes("Typed"), scheduleBytes("Power nap", false, "", "", false, 0, ""));
}

TEST_F(WizardSaveTest, WithoutHibernationTheActionBoxStartsWithShutDown) {
    startWithWizard();
    pressNew();
    EXPECT_EQ(w<QComboBox>("cbShutdown")->count(), 4);
    EXPECT_EQ(w<QComboBox>("cbShutdown")->currentText(), QStringLiteral("Shut Down"));
}

} // namespace
