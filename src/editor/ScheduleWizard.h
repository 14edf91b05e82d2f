#pragma once

#include "editor/WizardRules.h"

#include <QHash>
#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QTimeEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace vesperon {

class Clock;
struct FileError;
class LanguageEngine;
class Prompt;
class ScheduleListModel;
struct ProgramValues;

// The schedule wizard: creates a schedule or changes an existing one, writes its file into
// the data folder and has the main window reload its list. A new schedule's name must not
// be listed yet; an existing schedule's file is replaced.
class ScheduleWizard : public QWidget {
    Q_OBJECT
public:
    // list is the main window's schedule list (for the duplicate-name test); reload makes
    // the main window read the schedule files again after a save. values supplies the
    // language in force and the program's name (the title of the wizard's messages).
    ScheduleWizard(const Clock &clock, Prompt &prompt, LanguageEngine &languages, const ProgramValues &values,
                   QString dataFolder, const ScheduleListModel &list, std::function<void()> reload,
                   QWidget *parent = nullptr);

    // Translates the window, fills the lists and shows schedule, or a new schedule when
    // schedule is nullptr. An enabled schedule without a start time is given the current
    // moment as its start time, in the caller's record too. offerHibernate lists "Hibernate"
    // first among the actions.
    void load(ScheduleRecord *schedule, bool offerHibernate);
    // New (false) or Edit (true) pressed again while the wizard is open: the entries stay as
    // the user left them; whether OK checks the name against the list follows the last press.
    // The name can be typed for a new schedule only.
    void setEditing(bool editing);
    // Why some actions cannot run unattended on this computer, by action name: shown as the
    // action box's tooltip, and OK asks before saving a schedule with such an action.
    void setActionNotes(QHash<QString, QString> notes);

signals:
    // The window closed (OK, Cancel or its close box); it is going away.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    // Either switch or a repeat option changed: enable and show the controls that now apply.
    void applyControlStates();
    // A click on a day's text (not its box) toggles the day, as a click on the box does.
    void onMonthDayTextClicked(QTreeWidgetItem *day);
    // Checks the name, saves and unloads the wizard; on a refusal the wizard stays open.
    void onOkClicked();

private:
    void buildControls();
    void showEntries(const WizardEntries &entries);
    WizardEntries entries() const;
    int selectedRepeatKind() const;
    void tell(const QString &text);
    // A file error in the language in force: "Error 52 - ...".
    QString errorText(const FileError &error) const;

    const Clock &m_clock;
    Prompt &m_prompt;
    LanguageEngine &m_languages;
    const ProgramValues &m_values;
    QString m_dataFolder;
    const ScheduleListModel &m_list;
    std::function<void()> m_reload;
    bool m_editing = false;
    QHash<QString, QString> m_actionNotes;

    QLineEdit *m_name = nullptr;
    QComboBox *m_action = nullptr;
    QCheckBox *m_enabled = nullptr;
    QDateEdit *m_date = nullptr;
    QTimeEdit *m_time = nullptr;
    QCheckBox *m_repeat = nullptr;
    std::array<QRadioButton *, 3> m_repeatKinds{}; // daily, weekly, monthly
    QTreeWidget *m_weekdays = nullptr;
    QTreeWidget *m_monthDays = nullptr;

    // The entry and its mark when the mouse went down on the day list: a click that leaves
    // the mark as it was landed on the entry's text.
    QTreeWidgetItem *m_pressedDay = nullptr;
    bool m_pressedDayChecked = false;
};

} // namespace vesperon
