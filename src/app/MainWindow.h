#pragma once

#include "app/MainWindowRules.h"
#include "core/AppFolder.h"
#include "schedule/ScheduleListModel.h"
#include "schedule/ScheduleRecord.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QModelIndex;
class QToolButton;
class QTreeView;

namespace vesperon {

class Clock;
class LanguageEngine;
class PowerBackend;
class PowerController;
class Prompt;
class RunGuard;
class SchedulerCycle;
class Shell;
class StillRunningPrompt;
class TrayHost;
struct ProgramValues;
namespace settings {
class SettingsBundle;
}

// The outside world the main window works with, created once by main() (or a test).
struct MainWindowSeams {
    const Clock &clock;
    Prompt &prompt;
    Shell &shell;
    TrayHost &tray;
    PowerBackend &power;
    settings::SettingsBundle &settings;
    LanguageEngine &languages;
    ProgramValues &values;
    AppFolder folder;
};

// The secondary windows the main window opens. Each is one function, so the window that
// opens them does not build them and tests can see what was opened.
struct WindowOpeners {
    // The schedule to change (Edit), or nullptr for a new one (New). Opening an enabled
    // schedule without a start time fills in the current moment there.
    std::function<void(ScheduleRecord *schedule)> wizard;
    std::function<void()> options; // General Preferences
    std::function<void(bool modal)> language;
    std::function<void()> help; // opens the help file (and records that it was shown)
    std::function<void()> about;
    std::function<void(const QString &mode)> website; // mode "Website": the program's web address
    std::function<void()> history;                    // what became of every run
};

// The main window: the schedule list and its commands, the quick schedule, the two
// switches, the menus and the tray icon. It owns the program's life: closing it normally
// only hides it, so that schedules keep firing from the tray.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowSeams seams, QWidget *parent = nullptr);
    ~MainWindow() override;

    WindowOpeners &openers() { return m_open; }

    // Start-up: language, schedules, actions, power, tray, data folder, column widths,
    // the help at the first start, and straight to the tray when the user asked for it.
    void load();
    // Reads the schedule files again (after the wizard saved one).
    void reloadSchedules();

    // A quick schedule asked for by a script, with the texts the action and delay boxes offer:
    // "Now" performs the action at once (the script's caller has chosen it), any other delay
    // adds a row. Nothing happens for a text the boxes do not offer.
    enum class QuickAnswer { Done, UnknownAction, UnknownDelay };
    QuickAnswer quickSchedule(const QString &action, const QString &delay);
    // Ticks or clears "Prevent any schedules from running" as the user does.
    void setPreventSchedules(bool on);

    // The system said it can hibernate (its answer may come a moment after the load).
    bool canHibernate() const;
    // The main window went straight to the tray at start-up.
    bool startedHidden() const { return m_startedHidden; }
    ScheduleListModel &scheduleList() { return m_model; }
    // The schedule of the row clicked last; Edit opens it in the wizard.
    const ScheduleRecord &currentSchedule() const { return m_currentSchedule; }
    SchedulerCycle &cycle() { return *m_cycle; }
    // The warnings, the next run, the history.
    RunGuard &runGuard() { return *m_guard; }
    QTimer &trayIconTimer() { return m_trayIconTimer; }
    QMenu *trayMenu() const { return m_mnuTray; }
    StillRunningPrompt *stillRunningPrompt() const;
    // Shows the window (restoring it if minimized), raises and activates it: a second start of
    // the program asks for it.
    void bringToFront();
    // Column width in twips, as it will be saved.
    double columnTwips(int column) const;

signals:
    // The main window unloaded: the program ends.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void onScheduleClicked(const QModelIndex &index);
    void onNewScheduleClicked();
    void onEditClicked();
    void onDeleteClicked();
    void onGoClicked();
    void onPowerOptionsClicked();
    void onWebsiteClicked();
    void onKeepAwakeClicked(bool on);
    void onExitChosen();
    void onOpenFromTrayChosen();
    void popUpTrayMenu();
    void keepTrayIconUp();

private:
    void buildControls();
    void buildMenus();
    QAction *addItem(QMenu *menu, const QString &group, int index, const QString &text, const QString &icon);
    void setItemCommands(ItemCommandStates states);
    // interactive: the user started it this moment (Go with "Now", "Do it now").
    void performAction(const QString &scheduleName, const QString &actionType, bool interactive = false);
    // The history item of the View menu, the tray's "Skip next run" and the status line.
    void buildRunGuardItems();
    // The next run in the tray's tooltip, the status line and the tray menu.
    // Marks the list's actions the system will not let run unattended.
    void showActionNotes();
    void showNextRun();
    QString trayTooltip() const;
    // A request to close the window; true when the window may unload (the program ends).
    bool mayUnload(CloseReason reason);
    void openFromTray(bool maximizeWhenHidden);
    // Saves the column widths, removes the tray icon, closes the other windows and
    // announces the end of the program.
    void unload();
    void showStillRunning();
    void restoreColumnWidths();
    void saveColumnWidths();
    QString dataFolder() const;

    MainWindowSeams m_seams;
    WindowOpeners m_open;
    ScheduleListModel m_model;
    ScheduleRecord m_currentSchedule;
    std::unique_ptr<PowerController> m_power;
    std::unique_ptr<SchedulerCycle> m_cycle;
    std::unique_ptr<RunGuard> m_guard;
    QAction *m_mnuTraySkip = nullptr;
    QLabel *m_lblNextRun = nullptr;
    QString m_trayTooltip; // as last given to the tray
    bool m_unloaded = false;
    bool m_exitRequested = false; // closing the window ends the program
    bool m_startedHidden = false;
    bool m_toldNoTray = false; // closing without a tray has said that it minimizes

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
    QTimer m_trayIconTimer;
    QPointer<StillRunningPrompt> m_stillRunning;
    // Twips per column as last read or saved; kept exactly while the user leaves a column
    // alone, so a stored 1234.6 that came back as 1235 is saved as 1235, not rounded to pixels.
    std::array<double, ScheduleListModel::ColumnCount> m_columnTwips{};
    std::array<int, ScheduleListModel::ColumnCount> m_columnPixels{};
};

} // namespace vesperon
