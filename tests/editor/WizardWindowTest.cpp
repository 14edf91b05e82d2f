#include "app/MainWindowFixture.h"
#include "app/WizardOpener.h"
#include "editor/frmWizard.h"
#include "localization/WindowRegistry.h"
#include "localization/WindowTexts.h"
#include "schedule/ScheduleFile.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimeEdit>
#include <QTreeView>
#include <QTreeWidget>

using namespace vesperon;

namespace {

// The bytes of a schedule file as the wizard must write it.
QByteArray scheduleBytes(const char *type, bool enabled, const char *date, const char *time, bool repeat,
                         int kind, const char *period, const char *lastRun = "") {
    return QByteArray("<DATA>\r\nLastRunTime=") + lastRun + "\r\nItemType=" + type +
           "\r\nEnabled=" + (enabled ? "1" : "0") + "\r\n</DATA>\r\n\r\n<SCHEDULER>\r\nStartDate=" + date +
           "\r\nStartTime=" + time + "\r\nRepeat=" + (repeat ? "-1" : "0") +
           "\r\nSAccurancy=" + QByteArray::number(kind) + "\r\nPeriod=" + period +
           "\r\nRunOnStart=0\r\nRunOnEnd=0\r\n</SCHEDULER>\r\n\r\n";
}

const QByteArray Today = "6/10/2026";

class WizardWindowTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        setUser("Language", QStringLiteral("English"));
        setUser("showHelp", QStringLiteral("0"));
    }

    frmMain &startWithWizard() {
        start();
        installWizard(*context, *window);
        return *window;
    }

    // Lets closed windows go away, as the event loop would.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    frmWizard *wizard() const { return window->findChild<frmWizard *>(QStringLiteral("frmWizard")); }
    template <typename T> T *w(const char *name) const {
        return wizard()->findChild<T *>(QLatin1String(name));
    }
    QRadioButton *option(int index) const {
        for (QRadioButton *b : wizard()->findChildren<QRadioButton *>(QStringLiteral("optRepeat"))) {
            if (b->property("index").toInt() == index)
                return b;
        }
        return nullptr;
    }
    QTreeWidget *weekList() const { return w<QTreeWidget>("tvScheduleWeek"); }
    QTreeWidget *monthList() const { return w<QTreeWidget>("tvScheduleMonth"); }
    static bool checked(QTreeWidget *list, int entry) {
        return list->topLevelItem(entry)->checkState(0) == Qt::Checked;
    }

    // Clicks on a check box or option button land on its mark; other buttons in the middle.
    static void click(QAbstractButton *button) {
        const QPoint where =
            qobject_cast<QPushButton *>(button) ? button->rect().center() : QPoint(8, button->height() / 2);
        QTest::mouseClick(button, Qt::LeftButton, {}, where);
    }
    static QRect checkMark(QTreeWidget *list, QTreeWidgetItem *item) {
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.rect = list->visualItemRect(item);
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.checkState = item->checkState(0);
        option.text = item->text(0);
        return list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    }
    static void clickBox(QTreeWidget *list, int entry) {
        list->scrollToItem(list->topLevelItem(entry));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          checkMark(list, list->topLevelItem(entry)).center());
    }
    static void clickText(QTreeWidget *list, int entry) {
        list->scrollToItem(list->topLevelItem(entry));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(entry)).center());
    }

    void pressNew() { QTest::mouseClick(control<QPushButton>("cmdNewSchedule"), Qt::LeftButton); }
    void pressEdit() { QTest::mouseClick(control<QPushButton>("cmdEdit"), Qt::LeftButton); }
    void clickRow(const QString &name) {
        auto *list = control<QTreeView>("lstSchedules");
        const int row = window->scheduleList().FindScheduleRow(name) - 1;
        ASSERT_GE(row, 0) << name.toStdString();
        const QRect place = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    }
    void typeName(const QString &name) { QTest::keyClicks(w<QLineEdit>("txtName"), name); }
    // OK; a wizard that closed is gone before the test looks for the next one.
    void pressOk() {
        click(w<QPushButton>("cmdOK"));
        settle();
    }
    // New schedule named name, enabled and repeating with the given option selected.
    void newRepeating(const QString &name, int kind) {
        pressNew();
        typeName(name);
        click(w<QCheckBox>("chkScheduler"));
        click(w<QCheckBox>("chkRepeat"));
        click(option(kind));
    }

    QString file(const QString &name) const { return scheduleFilePath(dataFolder(), name); }
    QByteArray bytes(const QString &name) const { return test::readBytes(file(name)); }
    QStringList files() const { return QDir(dataFolder()).entryList(QDir::Files); }
};

TEST_F(WizardWindowTest, WeeklyScheduleWritesTheCheckedWeekdaysAndReloadsTheList) {
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
    QPointer<frmWizard> open = wizard();
    pressOk();
    settle();

    EXPECT_TRUE(open.isNull());
    EXPECT_TRUE(prompt.questions().isEmpty());
    EXPECT_EQ(bytes("Backup"), scheduleBytes("Shut Down", true, Today, "15:00:00", true, 1, "mon,wed,fri"));
    EXPECT_GT(window->scheduleList().FindScheduleRow(QStringLiteral("Backup")), 0);
}

TEST_F(WizardWindowTest, MonthlyDaysToggleByTextOrBoxAndAreWrittenAscending) {
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

TEST_F(WizardWindowTest, WeeklyOrMonthlyWithNothingCheckedWritesAnEmptyPeriod) {
    startWithWizard();
    for (int kind : {1, 2}) {
        const QString name = QStringLiteral("Empty %1").arg(kind);
        newRepeating(name, kind);
        pressOk();
        settle();
        EXPECT_EQ(bytes(name), scheduleBytes("Shut Down", true, Today, "15:00:00", true, kind, ""));
    }
}

TEST_F(WizardWindowTest, SwitchingWeeklyToMonthlyWritesOnlyTheVisibleList) {
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

TEST_F(WizardWindowTest, DisabledScheduleKeepsNoStartRepeatOrPeriod) {
    startWithWizard();
    newRepeating(QStringLiteral("Off"), 1);
    clickBox(weekList(), 0);
    w<QDateEdit>("dtDate")->setDate(QDate(2026, 7, 1));
    click(w<QCheckBox>("chkScheduler"));
    pressOk();
    EXPECT_EQ(bytes("Off"), scheduleBytes("Shut Down", false, "", "", false, 0, ""));
}

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

TEST_F(WizardWindowTest, EditRestoresTheScheduleKeepsItsNameAndClearsLastRunTime) {
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

TEST_F(WizardWindowTest, EditRoundTripLeavesTheFileByteIdentical) {
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
    w<QTimeEdit>("dtTime")->setTime(QTime(7, 5, 9));
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
    EXPECT_EQ(bytes("Once"), scheduleBytes("Shut Down", true, Today, "07:05:09", false, 0, ""));
    EXPECT_TRUE(prompt.questions().isEmpty());
}

TEST_F(WizardWindowTest, NameThatDiffersOnlyInCaseOrMatchesAQuickRowIsRefused) {
    QDir().mkpath(dataFolder());
    const QByteArray original = scheduleBytes("Reboot", false, "", "", false, 0, "");
    test::writeBytes(file("Backup"), original);
    startWithWizard();
    control<QComboBox>("cmbTime")->setCurrentText(QStringLiteral("In 1 Hour"));
    window->cmdGo_Click(); // adds a quick-schedule row
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

TEST_F(WizardWindowTest, TheActionBoxOffersTheActionsAndStoresATypedNameAsTyped) {
    os.hibernationFilePresent = true;
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

TEST_F(WizardWindowTest, WithoutHibernationTheActionBoxStartsWithShutDown) {
    startWithWizard();
    pressNew();
    EXPECT_EQ(w<QComboBox>("cbShutdown")->count(), 4);
    EXPECT_EQ(w<QComboBox>("cbShutdown")->currentText(), QStringLiteral("Shut Down"));
}

TEST_F(WizardWindowTest, NewOrEditWhileOpenReusesTheWizardAndOnlyChangesEditMode) {
    QDir().mkpath(dataFolder());
    test::writeBytes(file("Backup"), scheduleBytes("Reboot", false, "", "", false, 0, ""));
    startWithWizard();
    clickRow(QStringLiteral("Backup"));
    pressNew();
    frmWizard *first = wizard();
    typeName(QStringLiteral("Backup"));
    click(w<QCheckBox>("chkScheduler"));
    pressEdit();
    EXPECT_EQ(wizard(), first);
    EXPECT_EQ(window->findChildren<frmWizard *>().size(), 1);
    EXPECT_TRUE(context->editMode);
    // No second load: the typed name and the switch are as the user left them.
    EXPECT_TRUE(w<QLineEdit>("txtName")->isEnabled());
    EXPECT_EQ(w<QLineEdit>("txtName")->text(), QStringLiteral("Backup"));
    EXPECT_TRUE(w<QCheckBox>("chkScheduler")->isChecked());
    // After Edit the name is not checked against the list: the file is replaced.
    pressOk();
    settle();
    EXPECT_TRUE(prompt.questions().isEmpty());
    EXPECT_EQ(bytes("Backup"), scheduleBytes("Shut Down", true, Today, "15:00:00", false, 0, ""));

    // Edit first, then New: the disabled name is now checked and refused.
    clickRow(QStringLiteral("Backup"));
    pressEdit();
    pressNew();
    EXPECT_FALSE(context->editMode);
    EXPECT_FALSE(w<QLineEdit>("txtName")->isEnabled());
    pressOk();
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(prompt.questions()[0].text.contains(QStringLiteral("already exists")));
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
    window->Form_Unload();
    settle();
    EXPECT_EQ(wizard(), nullptr);
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(prompt.questions().isEmpty());
}

TEST_F(WizardWindowTest, ControlsCarryTheTranslationKeysAndTheListsTheirEntries) {
    startWithWizard();
    pressNew();
    frmWizard *wiz = wizard();
    EXPECT_TRUE(liveWindows().windows().contains(wiz));
    EXPECT_EQ(wiz->windowTitle(), QStringLiteral("Schedule Configuration"));
    QStringList keys;
    for (QObject *control : windowControls(wiz)) {
        for (const WindowText &text : controlTexts(control, wiz->objectName()))
            keys << text.key.toUpper();
    }
    keys.sort();
    EXPECT_EQ(keys, (QStringList{"FRMWIZARD_CHKREPEAT", "FRMWIZARD_CHKSCHEDULER", "FRMWIZARD_CMDCANCEL",
                                 "FRMWIZARD_CMDOK", "FRMWIZARD_FRAME6", "FRMWIZARD_FRREPEAT",
                                 "FRMWIZARD_LABEL1", "FRMWIZARD_LABEL2", "FRMWIZARD_OPTREPEAT0",
                                 "FRMWIZARD_OPTREPEAT1", "FRMWIZARD_OPTREPEAT2", "FRMWIZARD_SKINLABEL12"}));
    for (const char *name : {"SkinLabel12", "Label1", "Label2"})
        EXPECT_EQ(controlKind(wiz->findChild<QObject *>(QLatin1String(name))), QStringLiteral("SkinLabel"));
    EXPECT_EQ(controlKind(w<QObject>("frRepeat")), QStringLiteral("Frame"));

    QStringList texts;
    QStringList keysOfDays;
    for (int i = 0; i < weekList()->topLevelItemCount(); ++i) {
        texts << weekList()->topLevelItem(i)->text(0);
        keysOfDays << weekList()->topLevelItem(i)->data(0, Qt::UserRole).toString();
    }
    EXPECT_EQ(texts,
              (QStringList{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"}));
    EXPECT_EQ(keysOfDays, (QStringList{"mon", "tue", "wed", "thu", "fri", "sat", "sun"}));
    ASSERT_EQ(monthList()->topLevelItemCount(), 31);
    EXPECT_EQ(monthList()->topLevelItem(0)->text(0), QStringLiteral("1"));
    EXPECT_EQ(monthList()->topLevelItem(30)->text(0), QStringLiteral("31"));
    // The two lists share one place inside the repeat frame.
    EXPECT_EQ(weekList()->geometry(), monthList()->geometry());
    EXPECT_EQ(weekList()->parentWidget(), w<QWidget>("frRepeat"));
    EXPECT_EQ(w<QWidget>("dtTime")->parentWidget(), w<QWidget>("Frame6"));
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
