#pragma once

#include "app/MainWindowRules.h"
#include "schedule/ScheduleListModel.h"
#include "schedule/ScheduleRecord.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QToolButton;
class QTreeView;

namespace vesperon {

struct AppContext;
class PowerController;
class SchedulerCycle;
class frmStillRunning;

// The main window: the schedule list and its commands, the quick schedule, the two
// switches, the menus and the tray icon. It owns the program's life: closing it normally
// only hides it, so that schedules keep firing from the tray.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(AppContext &context, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up: language, schedules, actions, power, tray, data folder, column widths,
    // the help at the first start, and straight to the tray when the user asked for it.
    void Form_Load();
    // A request to close the window; true when the window may unload (the program ends).
    bool Form_QueryUnload(CloseReason reason);
    // Saves the column widths, removes the tray icon, closes the other windows and
    // announces the end of the program.
    void Form_Unload();

    void loadData();
    void lstSchedules_ItemClick(int row);
    void cmdNewSchedule_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdPower_Click();
    void cmdWebsite_Click();
    void cmdGo_Click();
    void mnuFileItem_Click(int index);
    void mnuTrayItem_Click(int index);
    void tmrTrayIcon_Timer();
    void openFromTray(bool maximizeWhenHidden);

    ScheduleListModel &scheduleList() { return m_model; }
    // The schedule of the row clicked last; Edit opens it in the wizard.
    const ScheduleRecord &currentSchedule() const { return m_currentSchedule; }
    SchedulerCycle &cycle() { return *m_cycle; }
    QTimer &tmrTrayIcon() { return m_tmrTrayIcon; }
    QMenu *trayMenu() const { return m_mnuTray; }
    frmStillRunning *stillRunningPrompt() const;
    // Column width in twips, as it will be saved.
    double columnTwips(int column) const;

signals:
    // The main window unloaded: the program ends.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    // A long caption (the web address) gets a smaller font rather than being cut off.
    static void fitCaption(QToolButton *button);
    QAction *addItem(QMenu *menu, const QString &group, int index, const QString &text, const QString &icon);
    void setItemCommands(ItemCommandStates states);
    void performAction(const QString &scheduleName, const QString &actionType);
    void showStillRunning();
    void popUpTrayMenu();
    void restoreColumnWidths();
    void saveColumnWidths();
    QString dataFolder() const;

    AppContext &m_ctx;
    ScheduleListModel m_model;
    ScheduleRecord m_currentSchedule;
    std::unique_ptr<PowerController> m_power;
    std::unique_ptr<SchedulerCycle> m_cycle;
    bool m_unloaded = false;

    QToolButton *m_cmdNewSchedule = nullptr;
    QToolButton *m_cmdEdit = nullptr;
    QToolButton *m_cmdDelete = nullptr;
    QToolButton *m_cmdGo = nullptr;
    QToolButton *m_cmdPower = nullptr;
    QToolButton *m_cmdWebsite = nullptr;
    QLabel *m_Label1 = nullptr;
    QLabel *m_SkinLabel1 = nullptr;
    QComboBox *m_cbShutdown = nullptr;
    QComboBox *m_cmbTime = nullptr;
    QCheckBox *m_chkPrevent = nullptr;
    QCheckBox *m_chkLowPower = nullptr;
    QTreeView *m_lstSchedules = nullptr;
    QMenu *m_mnuTray = nullptr;
    QList<QAction *> m_mnuFileItem;
    QTimer m_tmrTrayIcon;
    QPointer<frmStillRunning> m_stillRunning;
    // Twips per column as last read or saved; kept exactly while the user leaves a column
    // alone, so a stored 1234.6 that came back as 1235 is saved as 1235, not rounded to pixels.
    std::array<double, ScheduleListModel::ColumnCount> m_columnTwips{};
    std::array<int, ScheduleListModel::ColumnCount> m_columnPixels{};
};

} // namespace vesperon
