// The schedule wizard driven through the main window as a user drives it, judged by the bytes
// of the schedule files it writes and by what it asks.
#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "editor/ScheduleWizard.h"
#include "editor/WizardRules.h"
#include "schedule/ScheduleFile.h"
#include "support/DiskFaults.h"

#include <QProcess>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QTimeEdit>
#include <QTreeWidget>
#include <tuple>

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

// The main window with the wizard installed, and ways to click through the wizard as a user
// does: check boxes and option buttons on their marks, list entries on their box or text.
class WizardTest : public test::MainWindowFixture {
protected:
    // Writes the given schedule files, then starts the main window with the wizard installed.
    void startWithSchedules(const QList<std::pair<QString, QByteArray>> &schedules = {}) {
        notFirstStart();
        QDir().mkpath(dataFolder());
        for (const auto &[name, bytes] : schedules)
            test::writeBytes(file(name), bytes);
        start();
        installWizard(*window, *seams);
    }

    ScheduleWizard *wizard() const { return window->findChild<ScheduleWizard *>(u"frmWizard"_s); }
    template <typename T> T *w(const char *name) const {
        return wizard()->findChild<T *>(QLatin1String(name));
    }
    // The repeat options are made in the order of their index.
    QRadioButton *option(int index) const {
        return wizard()->findChildren<QRadioButton *>(u"optRepeat"_s).value(index);
    }
    QTreeWidget *weekList() const { return w<QTreeWidget>("tvScheduleWeek"); }
    QTreeWidget *monthList() const { return w<QTreeWidget>("tvScheduleMonth"); }

    // Clicks on a check box or option button land on its mark; other buttons in the middle.
    static void click(QAbstractButton *button) {
        const QPoint where =
            qobject_cast<QPushButton *>(button) ? button->rect().center() : QPoint(8, button->height() / 2);
        QTest::mouseClick(button, Qt::LeftButton, {}, where);
    }
    // Clicks an entry of a day list on its check box, or on its text.
    static void clickEntry(QTreeWidget *list, int entry, bool onBox) {
        QTreeWidgetItem *item = list->topLevelItem(entry);
        list->scrollToItem(item);
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.rect = list->visualItemRect(item);
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, (onBox ? box : option.rect).center());
    }
    static void clickBox(QTreeWidget *list, int entry) { clickEntry(list, entry, true); }
    static void clickText(QTreeWidget *list, int entry) { clickEntry(list, entry, false); }

    void pressNew() { clickButton("cmdNewSchedule"); }
    void clickRow(const QString &name) {
        MainWindowFixture::clickRow(window->scheduleList().FindScheduleRow(name) - 1);
    }
    void typeName(const QString &name) { QTest::keyClicks(w<QLineEdit>("txtName"), name); }
    // OK; a wizard that closed is gone (as the event loop would let it go) before the test
    // looks for the next one.
    void pressOk() {
        click(w<QPushButton>("cmdOK"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
    QStringList files() const { return QDir(dataFolder()).entryList({u"*.sch"_s}, QDir::Files); }
};

// Weekdays toggle by their box only, month days by box or text; only the list in sight is
// written, ascending. Hibernate comes first where the system can hibernate.
TEST_F(WizardTest, RepeatingSchedulesWriteTheDaysChecked) {
    power.hibernationAvailable = true;
    startWithSchedules();
    newRepeating(u"Backup"_s, 1);
    for (int day : {4, 0, 2})
        clickBox(weekList(), day);
    clickText(weekList(), 1);
    pressOk();
    EXPECT_EQ(bytes("Backup"),
              scheduleBytes("Hibernate", true, "6/10/2026", "15:00:00", true, 1, "mon,wed,fri"));

    newRepeating(u"Month end"_s, 1);
    clickBox(weekList(), 0);
    click(option(2));
    EXPECT_TRUE(weekList()->isHidden() && !monthList()->isHidden());
    clickText(monthList(), 30);
    clickBox(monthList(), 14);
    clickText(monthList(), 0);
    pressOk();
    EXPECT_EQ(bytes("Month end"),
              scheduleBytes("Hibernate", true, "6/10/2026", "15:00:00", true, 2, "1,15,31"));
}

// A disabled schedule keeps no start and no repetition; the action is stored as typed.
TEST_F(WizardTest, ADisabledScheduleKeepsNoStartAndATypedActionIsStoredAsTyped) {
    startWithSchedules();
    newRepeating(u"Off"_s, 1);
    clickBox(weekList(), 0);
    click(w<QCheckBox>("chkScheduler"));
    w<QComboBox>("cbShutdown")->setCurrentText(u"Power nap"_s); // typed into the box
    pressOk();
    EXPECT_EQ(bytes("Off"), scheduleBytes("Power nap", false, "", "", false, 0, ""));
}

// Edit shows the schedule as saved and Ok writes back the same bytes, without its last run.
TEST_F(WizardTest, EditRestoresTheScheduleAndWritesItBackUnchanged) {
    const QByteArray weekly = scheduleBytes("Log Off", true, "6/1/2026", "08:00:00", true, 1, "tue,sat");
    startWithSchedules({{"Nightly", scheduleBytes("Reboot", true, "6/1/2026", "22:30:15", true, 2, "1,15",
                                                  "6/1/2026 22:30:15")},
                        {"Weekly", weekly}});
    for (const QString name : {"Nightly", "Weekly"}) {
        clickRow(name);
        clickButton("cmdEdit");
        EXPECT_FALSE(w<QLineEdit>("txtName")->isEnabled());
        pressOk();
    }
    EXPECT_EQ(bytes("Nightly"), scheduleBytes("Reboot", true, "6/1/2026", "22:30:15", true, 2, "1,15"));
    EXPECT_EQ(bytes("Weekly"), weekly);
}

// New while the wizard is open for an edit reuses it as it is, and checks the name against the
// list again. A refused name or a failed write keeps the wizard open with its entries; Cancel lets them go.
TEST_F(WizardTest, NewWhileEditingReusesTheWizardAndARefusalKeepsItUntilCancel) {
    startWithSchedules({{"Backup", scheduleBytes("Reboot", true, "6/1/2026", "08:00:00", true, 1, "thu")}});
    clickRow(u"Backup"_s);
    clickButton("cmdEdit");
    pressNew();
    const char *const refusals[] = {"MSG_NEWNAME", "MSG_NONAME"}; // the name as left, then none
    for (int i = 0; i < 2; ++i) {
        pressOk();
        ASSERT_NE(wizard(), nullptr) << i;
        EXPECT_EQ(prompt.questions().value(i).text, languages->getMessages(QLatin1String(refusals[i])));
        w<QLineEdit>("txtName")->clear();
    }
    ASSERT_TRUE(QDir(dataFolder()).removeRecursively()); // a data folder that cannot be made
    test::writeBytes(dataFolder(), "not a folder");
    w<QLineEdit>("txtName")->setText(u"ab"_s);
    pressOk();
    ASSERT_NE(wizard(), nullptr);
    EXPECT_EQ(prompt.questions().last().text, u"Error 76 - Path not found"_s);
    EXPECT_EQ(weekList()->topLevelItem(3)->checkState(0), Qt::Checked);
    click(w<QPushButton>("cmdCancel"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    pressNew();
    EXPECT_EQ(weekList()->topLevelItem(3)->checkState(0), Qt::Unchecked);
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

using WizardOnAFailingDisk = test::OnEachDiskFault<WizardTest>;

TEST_P(WizardOnAFailingDisk, ShowsTheErrorStaysOpenAndNeverLosesASchedule) {
    test::DiskFaultScope fault(GetParam(), dataFolder());
    if (!fault.unavailable().isEmpty())
        GTEST_SKIP() << fault.unavailable().toStdString();
    const QByteArray saved = scheduleBytes("Reboot", true, "6/1/2026", "22:30:15", true, 2, "1,15");
    startWithSchedules({{"Nightly", saved}});
    fault.fill();
    ASSERT_FALSE(HasFatalFailure());

    clickRow(u"Nightly"_s);
    clickButton("cmdEdit");
    clickText(monthList(), 2);
    pressOk();
    ASSERT_NE(wizard(), nullptr);
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
    QLocale::setDefault(QLocale(QLocale::Bangla, QLocale::Bangladesh));
    startWithSchedules();
    for (const QString name : {"First", "Second"}) {
        pressNew();
        typeName(name);
        click(w<QCheckBox>("chkScheduler"));
        pressOk();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    for (const QString name : {"First", "Second"}) {
        EXPECT_EQ(bytes(name), scheduleBytes("Shut Down", true, "10/6/2026", "15:00:00", false, 0, ""));
        const ScheduleListModel &list = window->scheduleList();
        EXPECT_EQ(list.row(list.FindScheduleRow(name) - 1).nextRunTime, u"6/10/2026 15:00:00"_s);
    }
}

// The command line's --add writes the bytes the wizard writes for the same choices and keeps
// its name rules; --remove deletes the user's own schedule, never an administrator's.
TEST(CommandLineEdits, AddWritesWhatTheWizardSavesAndRemoveTakesOnlyTheUsersOwn) {
    QTemporaryDir copy; // the real binary as a portable copy, with data/ of its own
    const QString binary = copy.filePath(u"vesperon"_s), data = copy.filePath(u"data"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(VESPERON_BINARY), binary) && QDir().mkpath(data));
    test::writeBytes(QDir(data).filePath(u"DateForm.txt"_s), "M/d/yyyy\r\n");
    const QString managed = copy.filePath(u"etc/Quillmark/Vesperon/data"_s);
    const auto vesperon = [&](const QStringList &arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, copy.filePath(u"config"_s));
        environment.insert(u"XDG_CONFIG_DIRS"_s, copy.filePath(u"etc"_s));
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent/never"_s);
        process.setProcessEnvironment(environment);
        process.start(binary, arguments);
        return process.waitForFinished(30000) ? process.exitCode() : -1;
    };
    // Name, repeat options (none: once), repeat kind and the period written.
    const std::tuple<const char *, QStringList, int, const char *> cases[] = {
        {"Once", {}, 0, ""},
        {"Daily", {"--daily"}, 0, ""},
        {"Weekly", {"--weekdays", "wed,MON"}, 1, "mon,wed"},
        {"Monthly", {"--monthdays", "31,1"}, 2, "1,31"}};
    for (const auto &[name, repeat, kind, period] : cases) {
        EXPECT_EQ(vesperon(QStringList{"--add", name, "--action", "Reboot", "--start", "2030-01-02 22:00"} +
                           repeat),
                  0);
        EXPECT_EQ(test::readBytes(scheduleFilePath(data, QLatin1String(name))),
                  scheduleBytes("Reboot", true, "1/2/2030", "22:00:00", !repeat.isEmpty(), kind, period))
            << name;
    }
    EXPECT_EQ(vesperon({"--add", "DAILY", "--action", "Reboot", "--start", "2030-01-02 22:00"}), 2);
    EXPECT_EQ(vesperon({"--add", "Past", "--action", "Reboot", "--start", "2020-01-02 22:00"}), 2);

    ASSERT_TRUE(QDir().mkpath(managed) &&
                QFile::copy(scheduleFilePath(data, u"Daily"_s), scheduleFilePath(managed, u"Lab"_s)));
    EXPECT_EQ(vesperon({"--add", "lab", "--action", "Reboot", "--start", "2030-01-02 22:00"}), 2);
    EXPECT_EQ(vesperon({"--remove", "Lab"}), 2);
    // A name in another case never picks the user's schedule where it could mean the
    // administrator's; the exact name does.
    ASSERT_TRUE(QFile::copy(scheduleFilePath(data, u"Monthly"_s), scheduleFilePath(managed, u"Monthly"_s)));
    EXPECT_EQ(vesperon({"--remove", "MONTHLY"}), 2);
    EXPECT_EQ(vesperon({"--remove", "weekly"}), 0);
    EXPECT_EQ(vesperon({"--remove", "Monthly"}), 0);
    EXPECT_EQ(QDir(data).entryList({u"*.sch"_s}), (QStringList{"Daily.sch", "Once.sch"}));
    EXPECT_EQ(QDir(managed).entryList({u"*.sch"_s}), (QStringList{"Lab.sch", "Monthly.sch"}));
}

// Hand-edited files open without surprises: an enabled schedule without a start takes the
// current moment and says so; unreadable values open as today at this hour, daily.
TEST(WizardStart, HandEditedSchedulesOpenWithoutSurprises) {
    const QDateTime now(QDate(2026, 6, 10), QTime(14, 37, 12));
    ScheduleRecord current;
    current.Enabled = current.Repeat = true;
    EXPECT_EQ(entriesForSchedule(current, now, u"M/d/yyyy"_s).time, QTime(14, 37, 12));
    EXPECT_EQ(current.StartTime, u"6/10/2026 14:37:12"_s);
    current.StartDate = u"31/12/2026"_s;
    current.StartTime = u"25:00:00"_s;
    current.SAccurancy = -1;
    const WizardEntries e = entriesForSchedule(current, now, u"M/d/yyyy"_s);
    EXPECT_EQ(QDateTime(e.date, e.time), QDateTime(now.date(), QTime(14, 0)));
    EXPECT_EQ(e.repeatKind, EveryDay);
}

} // namespace
