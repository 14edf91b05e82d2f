#include "editor/ScheduleWizard.h"

#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/ShortDate.h"
#include "core/Twips.h"
#include "localization/LanguageEngine.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "power/Actions.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleListModel.h"
#include "schedule/StoredDateForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QTimeEdit>
#include <QTreeWidget>

namespace vesperon {

namespace {

QLabel *skinLabel(const char *name, const QString &text, QWidget *parent, QRect place) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setProperty("controlKind", QStringLiteral("SkinLabel"));
    label->setGeometry(place);
    return label;
}

// A list of entries, each with a check box; no header, no tree lines, texts not editable.
QTreeWidget *checkList(const char *name, QWidget *parent, QRect place) {
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setColumnCount(1);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setGeometry(place);
    list->hide();
    return list;
}

QTreeWidgetItem *addEntry(QTreeWidget *list, const QString &text, const QString &key) {
    auto *item = new QTreeWidgetItem(list, QStringList{text});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    if (!key.isEmpty())
        item->setData(0, Qt::UserRole, key);
    return item;
}

bool isChecked(const QTreeWidgetItem *item) {
    return item->checkState(0) != Qt::Unchecked;
}

Qt::CheckState checkState(bool on) {
    return on ? Qt::Checked : Qt::Unchecked;
}

} // namespace

ScheduleWizard::ScheduleWizard(const Clock &clock, Prompt &prompt, LanguageEngine &languages,
                               const ProgramValues &values, QString dataFolder, const ScheduleListModel &list,
                               std::function<void()> reload, QWidget *parent)
    : QWidget(parent, Qt::Window), m_clock(clock), m_prompt(prompt), m_languages(languages), m_values(values),
      m_dataFolder(std::move(dataFolder)), m_list(list), m_reload(std::move(reload)) {
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Schedule Configuration"));
    liveWindows().registerWindow(this);
    buildControls();
}

void ScheduleWizard::buildControls() {
    setFixedSize(twipsRect(0, 0, 6390, 5700).size());

    skinLabel("Label1", QStringLiteral("Schedule Name:"), this, twipsRect(60, 180, 2595, 195));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtName"));
    m_name->setGeometry(twipsRect(2700, 60, 3615, 285));
    skinLabel("Label2", QStringLiteral("ScheduleType:"), this, twipsRect(60, 480, 2595, 195));
    m_action = new QComboBox(this);
    m_action->setObjectName(QStringLiteral("cbShutdown"));
    m_action->setEditable(true);
    m_action->setInsertPolicy(QComboBox::NoInsert);
    m_action->setGeometry(twipsRect(2700, 420, 3615, 315));
    connect(m_action, &QComboBox::currentTextChanged, this,
            [this](const QString &action) { m_action->setToolTip(m_actionNotes.value(action)); });

    auto *frame = new QGroupBox(QStringLiteral("Schedule"), this);
    frame->setObjectName(QStringLiteral("Frame6"));
    frame->setGeometry(twipsRect(120, 840, 6195, 3975));
    m_enabled = new QCheckBox(QStringLiteral("Enable Scheduler"), frame);
    m_enabled->setObjectName(QStringLiteral("chkScheduler"));
    m_enabled->setGeometry(twipsRect(240, 300, 5715, 255));
    skinLabel("SkinLabel12", QStringLiteral("Start:"), frame, twipsRect(240, 660, 615, 255));
    m_date = new QDateEdit(frame);
    m_date->setObjectName(QStringLiteral("dtDate"));
    m_date->setDisplayFormat(shortDateFormat());
    m_date->setCalendarPopup(true);
    m_date->setGeometry(twipsRect(1080, 600, 2895, 300));
    m_time = new QTimeEdit(frame);
    m_time->setObjectName(QStringLiteral("dtTime"));
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_time->setTime(QTime(0, 0, 0));
    m_time->setGeometry(twipsRect(4140, 600, 1335, 300));

    auto *repeatFrame = new QGroupBox(frame);
    repeatFrame->setObjectName(QStringLiteral("frRepeat"));
    repeatFrame->setGeometry(twipsRect(240, 960, 5775, 2895));
    m_repeat = new QCheckBox(QStringLiteral("Run Schedule"), repeatFrame);
    m_repeat->setObjectName(QStringLiteral("chkRepeat"));
    m_repeat->setGeometry(twipsRect(240, 300, 5235, 195));
    m_repeat->setEnabled(false);
    const QString optionTexts[] = {QStringLiteral("Daily"), QStringLiteral("Weekly"),
                                   QStringLiteral("Monthly")};
    const QRect optionPlaces[] = {twipsRect(480, 600, 1455, 195), twipsRect(480, 900, 1995, 195),
                                  twipsRect(480, 1200, 1455, 195)};
    for (int i = 0; i < 3; ++i) {
        auto *option = new QRadioButton(optionTexts[i], repeatFrame);
        option->setObjectName(QStringLiteral("optRepeat"));
        option->setProperty("index", i);
        option->setGeometry(optionPlaces[i]);
        option->setEnabled(false);
        m_repeatKinds[i] = option;
    }
    m_repeatKinds[0]->setChecked(true);
    m_weekdays = checkList("tvScheduleWeek", repeatFrame, twipsRect(2880, 540, 2655, 2055));
    m_monthDays = checkList("tvScheduleMonth", repeatFrame, twipsRect(2880, 540, 2655, 2055));

    auto *ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(twipsRect(4920, 4920, 1395, 735));
    auto *cancel =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setGeometry(twipsRect(3420, 4920, 1395, 735));

    connect(m_enabled, &QCheckBox::toggled, this, &ScheduleWizard::applyControlStates);
    connect(m_repeat, &QCheckBox::toggled, this, &ScheduleWizard::applyControlStates);
    for (QRadioButton *option : m_repeatKinds) {
        connect(option, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected)
                applyControlStates();
        });
    }
    // The box toggles a day by itself; a click that left the mark alone was on the text.
    connect(m_monthDays, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem *item) {
        m_pressedDay = item;
        m_pressedDayChecked = isChecked(item);
    });
    connect(m_monthDays, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const bool onText = item == m_pressedDay && isChecked(item) == m_pressedDayChecked;
        m_pressedDay = nullptr;
        if (onText)
            onMonthDayTextClicked(item);
    });
    connect(ok, &QPushButton::clicked, this, &ScheduleWizard::onOkClicked);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
}

void ScheduleWizard::load(ScheduleRecord *schedule, bool offerHibernate) {
    m_languages.ChangeLanguage(this, m_values.CurrentLanguage);
    setWindowTitle(m_languages.getMessages(QStringLiteral("MSG_TITLEWIZARD")));

    m_action->clear();
    for (const PowerAction &action : PowerActions) {
        if (isOffered(action, offerHibernate))
            m_action->addItem(QLatin1String(action.name));
    }
    m_action->setCurrentIndex(0);

    m_weekdays->clear();
    for (int i = 0; i < WeekdayCount; ++i)
        addEntry(m_weekdays, m_languages.getMessages(QLatin1String(WeekdayMessages[i])),
                 QLatin1String(WeekdayKeys[i]));
    m_monthDays->clear();
    for (int day = 1; day <= MonthDayCount; ++day)
        addEntry(m_monthDays, QString::number(day), QString());

    const QDateTime now = m_clock.now();
    m_editing = schedule != nullptr;
    if (schedule) {
        m_name->setEnabled(false);
        showEntries(entriesForSchedule(*schedule, now, folderDateForm(m_dataFolder)));
    } else {
        showEntries(entriesForNewSchedule(now));
    }
    applyControlStates();
}

void ScheduleWizard::setEditing(bool editing) {
    m_editing = editing;
    m_name->setEnabled(!editing);
}

void ScheduleWizard::setActionNotes(QHash<QString, QString> notes) {
    m_actionNotes = std::move(notes);
    m_action->setToolTip(m_actionNotes.value(m_action->currentText()));
}

void ScheduleWizard::showEntries(const WizardEntries &entries) {
    m_name->setText(entries.name);
    if (!entries.action.isEmpty())
        m_action->setCurrentText(entries.action);
    m_date->setDate(entries.date);
    m_time->setTime(entries.time);
    // In the order a user would set them; each change updates the control states as a click does.
    m_repeatKinds[entries.repeatKind]->setChecked(true);
    for (int i = 0; i < WeekdayCount; ++i)
        m_weekdays->topLevelItem(i)->setCheckState(0, checkState(entries.weekdays[i]));
    for (int i = 0; i < MonthDayCount; ++i)
        m_monthDays->topLevelItem(i)->setCheckState(0, checkState(entries.days[i]));
    m_repeat->setChecked(entries.repeat);
    m_enabled->setChecked(entries.scheduler);
}

WizardEntries ScheduleWizard::entries() const {
    WizardEntries entries;
    entries.name = m_name->text();
    entries.action = m_action->currentText();
    entries.scheduler = m_enabled->checkState() != Qt::Unchecked;
    entries.date = m_date->date();
    entries.time = m_time->time();
    entries.repeat = m_repeat->checkState() != Qt::Unchecked;
    entries.repeatKind = selectedRepeatKind();
    // Before the load fills them the lists have no entries: nothing is checked.
    for (int i = 0; i < WeekdayCount && i < m_weekdays->topLevelItemCount(); ++i)
        entries.weekdays[i] = isChecked(m_weekdays->topLevelItem(i));
    for (int i = 0; i < MonthDayCount && i < m_monthDays->topLevelItemCount(); ++i)
        entries.days[i] = isChecked(m_monthDays->topLevelItem(i));
    return entries;
}

int ScheduleWizard::selectedRepeatKind() const {
    // The first selected button, scanning from "Daily".
    for (int i = 0; i < int(m_repeatKinds.size()); ++i) {
        if (m_repeatKinds[i]->isChecked())
            return i;
    }
    return EveryDay;
}

void ScheduleWizard::applyControlStates() {
    const WizardControlStates states =
        wizardControlStates(m_enabled->checkState() != Qt::Unchecked, m_repeat->checkState() != Qt::Unchecked,
                            selectedRepeatKind());
    m_date->setEnabled(states.pickers);
    m_time->setEnabled(states.pickers);
    m_repeat->setEnabled(states.repeatBox);
    for (QRadioButton *option : m_repeatKinds)
        option->setEnabled(states.options);
    m_weekdays->setVisible(states.visibleList == DayList::Weekdays);
    m_monthDays->setVisible(states.visibleList == DayList::MonthDays);
}

void ScheduleWizard::onMonthDayTextClicked(QTreeWidgetItem *day) {
    if (day)
        day->setCheckState(0, checkState(!isChecked(day)));
}

void ScheduleWizard::tell(const QString &text) {
    m_prompt.ask(text, m_values.ProgramName, Prompt::Buttons::Ok);
}

QString ScheduleWizard::errorText(const FileError &error) const {
    const QString form = m_languages.getMessages(QStringLiteral("MSG_FILEERROR"));
    const QString description = m_languages.getMessages(QStringLiteral("MSG_ERROR%1").arg(error.number));
    if (form.isEmpty() || description.isEmpty())
        return error.text();
    return form.arg(error.number).arg(description);
}

void ScheduleWizard::onOkClicked() {
    const WizardEntries current = entries();
    if (!m_editing && isDuplicateScheduleName(current.name, m_list.rows())) {
        tell(m_languages.getMessages(QStringLiteral("MSG_NEWNAME")));
        return;
    }
    if (current.name.isEmpty()) {
        tell(m_languages.getMessages(QStringLiteral("MSG_NONAME")));
        return;
    }
    if (startHasPassed(current, m_clock.now()) &&
        m_prompt.ask(m_languages.getMessages(QStringLiteral("MSG_PASTSTART")), m_values.ProgramName,
                     Prompt::Buttons::YesNo, Prompt::Icon::Question) != Prompt::Answer::Yes)
        return;
    // A schedule the computer will not obey unattended is worth a second thought, not a refusal:
    // the user may be there at the minute to type the password.
    if (const QString note = m_actionNotes.value(current.action);
        !note.isEmpty() && current.scheduler &&
        m_prompt.ask(
            note + QStringLiteral("\n\n") + m_languages.getMessages(QStringLiteral("MSG_SAVEANYWAY")),
            m_values.ProgramName, Prompt::Buttons::YesNo, Prompt::Icon::Warning) != Prompt::Answer::Yes)
        return;
    // A refused name or an unwritable folder keeps the old file and the user's entries.
    const QString dateForm = folderDateForm(m_dataFolder);
    if (const auto error = WriteScheduleFile(scheduleRecordFromEntries(current, dateForm), m_dataFolder)) {
        tell(errorText(*error));
        return;
    }
    recordDateForm(m_dataFolder, dateForm); // the folder's first schedule fixes its date form
    if (m_reload)
        m_reload();
    close();
}

void ScheduleWizard::closeEvent(QCloseEvent *event) {
    event->accept();
    emit unloaded();
}

} // namespace vesperon
