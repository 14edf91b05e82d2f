#include "WizardFixture.h"
#include "support/DiskFaults.h"
#include "support/TestFiles.h"

using namespace vesperon;

namespace {

using WizardWindowTest = test::WizardFixture;
using test::scheduleBytes;
using test::Today;

TEST_F(WizardWindowTest, TheSwitchesEnableAndShowControlsAsTheUserClicks) {
    startWithWizard();
    pressNew();
    auto *scheduler = w<QCheckBox>("chkScheduler");
    auto *repeat = w<QCheckBox>("chkRepeat");
    const auto state = [&] {
        QString s;
        s += w<QDateEdit>("dtDate")->isEnabled() && w<QTimeEdit>("dtTime")->isEnabled() ? 'P' : '-';
        s += repeat->isEnabled() ? 'R' : '-';
        s += option(0)->isEnabled() && option(1)->isEnabled() && option(2)->isEnabled() ? 'O' : '-';
        s += weekList()->isVisible() ? 'W' : '-';
        s += monthList()->isVisible() ? 'M' : '-';
        return s;
    };
    EXPECT_EQ(state(), "-----");
    EXPECT_TRUE(option(0)->isChecked());
    click(repeat); // disabled: nothing happens
    EXPECT_FALSE(repeat->isChecked());
    click(scheduler);
    EXPECT_EQ(state(), "PR---");
    click(option(1)); // still disabled
    EXPECT_TRUE(option(0)->isChecked());
    click(repeat);
    EXPECT_EQ(state(), "PRO--");
    click(option(1));
    EXPECT_EQ(state(), "PROW-");
    click(option(2));
    EXPECT_EQ(state(), "PRO-M");
    click(repeat);
    EXPECT_EQ(state(), "PR---");
    click(repeat);
    EXPECT_EQ(state(), "PRO-M");
    click(scheduler);
    EXPECT_EQ(state(), "-----");
    EXPECT_TRUE(repeat->isChecked()); // kept, only disabled
    click(scheduler);
    EXPECT_EQ(state(), "PRO-M");
    click(option(0));
    EXPECT_EQ(state(), "PRO--");
}

TEST_F(WizardWindowTest, NameThatDiffersOnlyInCaseOrMatchesAQuickRowIsRefused) {
    QDir().mkpath(dataFolder());
    const QByteArray original = scheduleBytes("Reboot", false, "", "", false, 0, "");
    test::writeBytes(file("Backup"), original);
    startWithWizard();
    control<QComboBox>("cmbTime")->setCurrentText(QStringLiteral("In 1 Hour"));
    clickButton("cmdGo"); // adds a quick-schedule row
    const QString quickRow = window->scheduleList().rows().last().name;
    ASSERT_TRUE(quickRow.startsWith(QStringLiteral("Quick Schedule")));

    pressNew();
    typeName(QStringLiteral("backup"));
    click(w<QCheckBox>("chkScheduler"));
    pressOk();
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(
        prompt.questions()[0].text,
        QStringLiteral("Error: An item with that name already exists.  Please choose a different name"));
    EXPECT_EQ(prompt.questions()[0].title, QStringLiteral("Vesperon"));
    EXPECT_EQ(prompt.questions()[0].buttons, Prompt::Buttons::Ok);
    // The wizard stays open with the user's entries; nothing was written.
    ASSERT_NE(wizard(), nullptr);
    EXPECT_TRUE(wizard()->isVisible());
    EXPECT_EQ(w<QLineEdit>("txtName")->text(), QStringLiteral("backup"));
    EXPECT_TRUE(w<QCheckBox>("chkScheduler")->isChecked());
    EXPECT_EQ(bytes("Backup"), original);
    EXPECT_EQ(files(), QStringList{QStringLiteral("Backup.sch")});

    w<QLineEdit>("txtName")->setText(quickRow.toLower());
    pressOk();
    ASSERT_EQ(prompt.questions().size(), 2);
    EXPECT_EQ(prompt.questions()[1].text, prompt.questions()[0].text);
}

TEST_F(WizardWindowTest, EmptyNameIsRefusedAndNothingIsWritten) {
    startWithWizard();
    pressNew();
    click(w<QCheckBox>("chkScheduler"));
    pressOk();
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions()[0].text, QStringLiteral("Error: You must choose a name for this schedule"));
    EXPECT_EQ(prompt.questions()[0].title, QStringLiteral("Vesperon"));
    ASSERT_NE(wizard(), nullptr);
    EXPECT_TRUE(wizard()->isVisible());
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(WizardWindowTest, NewScheduleProposesTodayAtTheNextFullHour) {
    clock.set(QDateTime(QDate(2026, 6, 10), QTime(14, 37, 0)));
    startWithWizard();
    pressNew();
    EXPECT_EQ(w<QDateEdit>("dtDate")->text(), QStringLiteral("6/10/2026"));
    EXPECT_EQ(w<QTimeEdit>("dtTime")->text(), QStringLiteral("15:00:00"));
    EXPECT_TRUE(w<QLineEdit>("txtName")->isEnabled());
    EXPECT_TRUE(w<QLineEdit>("txtName")->text().isEmpty());
    EXPECT_FALSE(w<QCheckBox>("chkScheduler")->isChecked());
    click(w<QPushButton>("cmdCancel"));
    settle();

    clock.set(QDateTime(QDate(2026, 12, 31), QTime(23, 40, 0)));
    pressNew();
    EXPECT_EQ(w<QDateEdit>("dtDate")->text(), QStringLiteral("12/31/2026"));
    EXPECT_EQ(w<QTimeEdit>("dtTime")->text(), QStringLiteral("00:00:00"));
}

TEST_F(WizardWindowTest, NewOrEditWhileOpenReusesTheWizardAndOnlyDecidesTheNameCheck) {
    QDir().mkpath(dataFolder());
    test::writeBytes(file("Backup"), scheduleBytes("Reboot", false, "", "", false, 0, ""));
    startWithWizard();
    clickRow(QStringLiteral("Backup"));
    pressNew();
    ScheduleWizard *first = wizard();
    typeName(QStringLiteral("Backup"));
    click(w<QCheckBox>("chkScheduler"));
    pressEdit();
    EXPECT_EQ(wizard(), first);
    EXPECT_EQ(window->findChildren<ScheduleWizard *>().size(), 1);
    // No second load: the typed name and the switch are as the user left them; the name is
    // now the edited schedule's and cannot be typed.
    EXPECT_FALSE(w<QLineEdit>("txtName")->isEnabled());
    EXPECT_EQ(w<QLineEdit>("txtName")->text(), QStringLiteral("Backup"));
    EXPECT_TRUE(w<QCheckBox>("chkScheduler")->isChecked());
    // After Edit the name is not checked against the list: the file is replaced.
    pressOk();
    settle();
    EXPECT_TRUE(prompt.questions().isEmpty());
    EXPECT_EQ(bytes("Backup"), scheduleBytes("Shut Down", true, Today, "15:00:00", false, 0, ""));

    // Edit first, then New: the name can be typed again, and is checked and refused.
    clickRow(QStringLiteral("Backup"));
    pressEdit();
    pressNew();
    EXPECT_TRUE(w<QLineEdit>("txtName")->isEnabled());
    pressOk();
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(prompt.questions()[0].text.contains(QStringLiteral("already exists")));
}

TEST_F(WizardWindowTest, AStartTimeFilledInByEditStaysWithTheClickedRowAfterCancel) {
    QDir().mkpath(dataFolder());
    test::writeBytes(file("Odd"), scheduleBytes("Reboot", true, "", "", false, 0, ""));
    startWithWizard();
    clickRow(QStringLiteral("Odd"));
    pressEdit();
    EXPECT_EQ(w<QTimeEdit>("dtTime")->text(), QStringLiteral("14:20:30"));
    click(w<QPushButton>("cmdCancel"));
    settle();

    clock.set(QDateTime(QDate(2026, 6, 10), QTime(15, 45, 0)));
    pressEdit(); // the same record, as the first load left it
    EXPECT_EQ(w<QTimeEdit>("dtTime")->text(), QStringLiteral("14:20:30"));
    EXPECT_EQ(window->currentSchedule().StartTime, QStringLiteral("6/10/2026 14:20:30"));
}

TEST_F(WizardWindowTest, FailedWriteShowsTheErrorAndKeepsTheWizardWithItsEntries) {
    startWithWizard();
    newRepeating(QStringLiteral("a/b"), 1);
    clickBox(weekList(), 3);
    pressOk();
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions()[0].text, QStringLiteral("Error 52 - Bad file name or number"));
    EXPECT_EQ(prompt.questions()[0].title, QStringLiteral("Vesperon"));
    ASSERT_NE(wizard(), nullptr);
    EXPECT_TRUE(wizard()->isVisible());
    EXPECT_TRUE(checked(weekList(), 3));
    EXPECT_TRUE(files().isEmpty());
    EXPECT_EQ(window->scheduleList().rowCount(), 0);

    // The data folder cannot be made: a file stands in its place.
    ASSERT_TRUE(QDir(dataFolder()).removeRecursively());
    test::writeBytes(dataFolder(), "not a folder");
    w<QLineEdit>("txtName")->setText(QStringLiteral("ab"));
    pressOk();
    ASSERT_EQ(prompt.questions().size(), 2);
    EXPECT_EQ(prompt.questions()[1].text, QStringLiteral("Error 76 - Path not found"));
    ASSERT_NE(wizard(), nullptr);
    EXPECT_TRUE(wizard()->isVisible());

    // Once the folder is back the same entries save.
    ASSERT_TRUE(QFile::remove(dataFolder()));
    pressOk();
    settle();
    EXPECT_EQ(wizard(), nullptr);
    EXPECT_EQ(bytes("ab"), scheduleBytes("Shut Down", true, Today, "15:00:00", true, 1, "thu"));
}

class WizardOnAFailingDisk : public test::WizardFixture,
                             public ::testing::WithParamInterface<test::DiskFault> {};

TEST_P(WizardOnAFailingDisk, ShowsTheErrorStaysOpenAndNeverLosesASchedule) {
    test::DiskFaultScope fault(GetParam(), dataFolder());
    if (!fault.unavailable().isEmpty())
        GTEST_SKIP() << fault.unavailable().toStdString();
    QDir().mkpath(dataFolder());
    const QByteArray saved = scheduleBytes("Reboot", true, "6/1/2026", "22:30:15", true, 2, "1,15");
    test::writeBytes(file("Nightly"), saved);
    startWithWizard();
    fault.fill();
    ASSERT_FALSE(HasFatalFailure());

    clickRow(QStringLiteral("Nightly"));
    pressEdit();
    clickText(monthList(), 2);
    pressOk();
    ASSERT_NE(wizard(), nullptr);
    EXPECT_TRUE(wizard()->isVisible());
    EXPECT_TRUE(checked(monthList(), 2));
    click(w<QPushButton>("cmdCancel"));
    settle();
    newRepeating(QStringLiteral("Fresh"), 1);
    pressOk();
    ASSERT_NE(wizard(), nullptr);
    EXPECT_TRUE(wizard()->isVisible());

    ASSERT_EQ(prompt.questions().size(), 2);
    for (const auto &question : prompt.questions())
        EXPECT_EQ(question.text, QStringLiteral("Error 61 - Disk full"));
    EXPECT_EQ(bytes("Nightly"), saved);
    QStringList left = QDir(dataFolder()).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(QStringLiteral("filler"));
    left.removeAll(QStringLiteral("DateForm.txt")); // recorded by the load before the disk filled
    EXPECT_EQ(left, QStringList{QStringLiteral("Nightly.sch")});
}

INSTANTIATE_TEST_SUITE_P(Faults, WizardOnAFailingDisk,
                         ::testing::Values(test::DiskFault::FullFilesystem, test::DiskFault::FileSizeLimit),
                         [](const auto &info) { return test::faultName(info.param); });

TEST_F(WizardWindowTest, CancelAndTheCloseBoxWriteNothingAndTheNextOpenLoadsAfresh) {
    startWithWizard();
    pressNew();
    typeName(QStringLiteral("Never"));
    click(w<QCheckBox>("chkScheduler"));
    click(w<QPushButton>("cmdCancel"));
    settle();
    EXPECT_EQ(wizard(), nullptr);
    pressNew();
    EXPECT_TRUE(w<QLineEdit>("txtName")->text().isEmpty());
    typeName(QStringLiteral("Never"));
    wizard()->close();
    settle();
    EXPECT_EQ(wizard(), nullptr);
    // The program's exit unloads an open wizard without saving it.
    pressNew();
    typeName(QStringLiteral("Never"));
    choose("mnuFileItem", 6);
    settle();
    EXPECT_EQ(wizard(), nullptr);
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(prompt.questions().isEmpty());
}

TEST_F(WizardWindowTest, TheWizardTranslatesItselfIntoTheUsersLanguage) {
    test::writeBytes(dir.filePath(QStringLiteral("Localization.txt")),
                     "<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME><TRANSLATION_ITEMS>\r\n"
                     "\t\t<FRMWIZARD_CHKSCHEDULER>Zeitplan aktivieren</FRMWIZARD_CHKSCHEDULER>\r\n"
                     "\t\t<FRMWIZARD_OPTREPEAT1>W\xC3\xB6"
                     "chentlich</FRMWIZARD_OPTREPEAT1>\r\n"
                     "\t\t<MSG_TITLEWIZARD>Zeitplan einrichten</MSG_TITLEWIZARD>\r\n"
                     "\t\t<MSG_MONDAY>Montag</MSG_MONDAY>\r\n"
                     "\t</TRANSLATION_ITEMS></LANGUAGE_GROUP>\r\n");
    setUser("Language", QStringLiteral("Deutsch"));
    startWithWizard();
    pressNew();
    EXPECT_EQ(wizard()->windowTitle(), QStringLiteral("Zeitplan einrichten"));
    EXPECT_EQ(w<QCheckBox>("chkScheduler")->text(), QStringLiteral("Zeitplan aktivieren"));
    EXPECT_EQ(option(1)->text(), QString::fromUtf8("W\xC3\xB6"
                                                   "chentlich"));
    EXPECT_EQ(weekList()->topLevelItem(0)->text(0), QStringLiteral("Montag"));
    EXPECT_EQ(weekList()->topLevelItem(1)->text(0), QStringLiteral("Tuesday"));
}

} // namespace

namespace {

TEST_F(WizardWindowTest, TheTranslationTemplateLoadsTheWizardHiddenSoItsTextsAreIncluded) {
    startWithWizard();
    ASSERT_TRUE(languages->makeLocalizationFile());
    const QByteArray file = test::readBytes(dir.filePath(QStringLiteral("Localization.txt")));
    EXPECT_TRUE(file.contains("<FRMWIZARD_CMDOK>")) << file.left(400).toStdString();
    EXPECT_TRUE(file.contains("<FRMWIZARD_OPTREPEAT0>"));
    EXPECT_TRUE(file.contains("<FRMMAIN_LSTSCHEDULES_COL1>Schedule Name</FRMMAIN_LSTSCHEDULES_COL1>"));
    // The wizard stays loaded but out of sight, and New shows that same wizard.
    ScheduleWizard *loaded = wizard();
    ASSERT_NE(loaded, nullptr);
    EXPECT_FALSE(loaded->isVisible());
    pressNew();
    EXPECT_EQ(window->findChildren<ScheduleWizard *>().size(), 1);
    EXPECT_TRUE(loaded->isVisible());
}

} // namespace
