#pragma once

#include "editor/WizardRules.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace vesperon {

struct AppContext;
class ScheduleListModel;

// The schedule wizard: creates a schedule (editMode false) or changes CurrentSchedule
// (editMode true), writes its file and has the main window reload its list. It reads
// editMode again when OK is pressed, so New or Edit pressed while it is open decide
// whether the name is checked against the list.
class frmWizard : public QWidget {
    Q_OBJECT
public:
    // list is the main window's schedule list (for the duplicate-name test); reload makes
    // the main window read the schedule files again after a save.
    frmWizard(AppContext &context, const ScheduleListModel &list, std::function<void()> reload,
              QWidget *parent = nullptr);

    // Translates the window, fills the lists and shows a new schedule or CurrentSchedule.
    void Form_Load();

    void chkScheduler_Click();
    void chkRepeat_Click();
    void optRepeat_Click(int index);
    void tvScheduleMonth_NodeClick(QTreeWidgetItem *node);
    // Checks the name, saves and unloads the wizard. False when the wizard stays open.
    bool cmdOK_Click();
    void cmdCancel_Click();

    // What the controls show now.
    WizardEntries entries() const;

signals:
    // The window closed (OK, Cancel or its close box); it is going away.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void showEntries(const WizardEntries &entries);
    void applyControlStates();
    int selectedRepeatKind() const;
    void tell(const QString &text);

    AppContext &m_ctx;
    const ScheduleListModel &m_list;
    std::function<void()> m_reload;

    QLabel *m_Label1 = nullptr;
    QLineEdit *m_txtName = nullptr;
    QLabel *m_Label2 = nullptr;
    QComboBox *m_cbShutdown = nullptr;
    QGroupBox *m_Frame6 = nullptr;
    QCheckBox *m_chkScheduler = nullptr;
    QLabel *m_SkinLabel12 = nullptr;
    QDateEdit *m_dtDate = nullptr;
    QTimeEdit *m_dtTime = nullptr;
    QGroupBox *m_frRepeat = nullptr;
    QCheckBox *m_chkRepeat = nullptr;
    std::array<QRadioButton *, 3> m_optRepeat{};
    QTreeWidget *m_tvScheduleWeek = nullptr;
    QTreeWidget *m_tvScheduleMonth = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;

    // The entry and its mark when the mouse went down on the day list: a click that leaves
    // the mark as it was landed on the entry's text.
    QTreeWidgetItem *m_pressedDay = nullptr;
    bool m_pressedDayChecked = false;
};

} // namespace vesperon
