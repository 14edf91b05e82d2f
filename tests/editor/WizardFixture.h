#pragma once

#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "editor/ScheduleWizard.h"
#include "schedule/ScheduleFile.h"

#include <QDateEdit>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QTimeEdit>
#include <QTreeWidget>

namespace vesperon::test {

// The bytes of a schedule file as the wizard must write it.
inline QByteArray scheduleBytes(const char *type, bool enabled, const char *date, const char *time,
                                bool repeat, int kind, const char *period, const char *lastRun = "") {
    return QByteArray("<DATA>\r\nLastRunTime=") + lastRun + "\r\nItemType=" + type +
           "\r\nEnabled=" + (enabled ? "1" : "0") + "\r\n</DATA>\r\n\r\n<SCHEDULER>\r\nStartDate=" + date +
           "\r\nStartTime=" + time + "\r\nRepeat=" + (repeat ? "-1" : "0") +
           "\r\nSAccurancy=" + QByteArray::number(kind) + "\r\nPeriod=" + period +
           "\r\nRunOnStart=0\r\nRunOnEnd=0\r\n</SCHEDULER>\r\n\r\n";
}

inline const QByteArray Today = "6/10/2026";

// The main window with the wizard installed, and ways to click through the wizard as a user
// does: check boxes and option buttons on their marks, list entries on their box or text.
class WizardFixture : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        notFirstStart();
    }

    // Writes the given schedule files, then starts the main window with the wizard installed.
    MainWindow &startWithSchedules(const QList<std::pair<QString, QByteArray>> &schedules = {}) {
        QDir().mkpath(dataFolder());
        for (const auto &[name, bytes] : schedules)
            writeBytes(file(name), bytes);
        start();
        installWizard(*window, *seams);
        return *window;
    }

    // Lets closed windows go away, as the event loop would.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    ScheduleWizard *wizard() const { return window->findChild<ScheduleWizard *>(u"frmWizard"_s); }
    template <typename T> T *w(const char *name) const {
        return wizard()->findChild<T *>(QLatin1String(name));
    }
    QRadioButton *option(int index) const {
        for (QRadioButton *b : wizard()->findChildren<QRadioButton *>(u"optRepeat"_s)) {
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
    void pressEdit() { clickButton("cmdEdit"); }
    void clickRow(const QString &name) {
        MainWindowFixture::clickRow(window->scheduleList().FindScheduleRow(name) - 1);
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
    QByteArray bytes(const QString &name) const { return readBytes(file(name)); }
    QStringList files() const { return QDir(dataFolder()).entryList({u"*.sch"_s}, QDir::Files); }
};

} // namespace vesperon::test
