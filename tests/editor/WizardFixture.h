#pragma once

#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "editor/ScheduleWizard.h"
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
        setUser("Language", QStringLiteral("English"));
        setUser("showHelp", QStringLiteral("0"));
    }

    MainWindow &startWithWizard() {
        start();
        installWizard(*window, *seams);
        return *window;
    }

    // Lets closed windows go away, as the event loop would.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    ScheduleWizard *wizard() const {
        return window->findChild<ScheduleWizard *>(QStringLiteral("frmWizard"));
    }
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

    void pressNew() { QTest::mouseClick(control<QAbstractButton>("cmdNewSchedule"), Qt::LeftButton); }
    void pressEdit() { QTest::mouseClick(control<QAbstractButton>("cmdEdit"), Qt::LeftButton); }
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
    QByteArray bytes(const QString &name) const { return readBytes(file(name)); }
    QStringList files() const { return QDir(dataFolder()).entryList({QStringLiteral("*.sch")}, QDir::Files); }
};

} // namespace vesperon::test
