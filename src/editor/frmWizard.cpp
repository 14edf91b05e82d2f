#include "editor/frmWizard.h"

#include "app/AppContext.h"
#include "core/ShortDate.h"
#include "localization/WindowRegistry.h"
#include "localization/clsLanguages.h"
#include "power/Actions.h"
#include "power/PowerBackend.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleListModel.h"

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

// Places are in twips (15 to a pixel), relative to the control's container.
QRect twips(int left, int top, int width, int height) {
    constexpr int perPixel = 15;
    return QRect(left / perPixel, top / perPixel, width / perPixel, height / perPixel);
}

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

frmWizard::frmWizard(AppContext &context, const ScheduleListModel &list, std::function<void()> reload,
                     QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(context), m_list(list), m_reload(std::move(reload)) {
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Schedule Configuration"));
    liveWindows().registerWindow(this);
    buildControls();
}

void frmWizard::buildControls() {
    setFixedSize(twips(0, 0, 6390, 5700).size());

    m_Label1 = skinLabel("Label1", QStringLiteral("Schedule Name:"), this, twips(60, 180, 2595, 195));
    m_txtName = new QLineEdit(this);
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_txtName->setGeometry(twips(2700, 60, 3615, 285));
    m_Label2 = skinLabel("Label2", QStringLiteral("ScheduleType:"), this, twips(60, 480, 2595, 195));
    m_cbShutdown = new QComboBox(this);
    m_cbShutdown->setObjectName(QStringLiteral("cbShutdown"));
    m_cbShutdown->setEditable(true);
    m_cbShutdown->setInsertPolicy(QComboBox::NoInsert);
    m_cbShutdown->setGeometry(twips(2700, 420, 3615, 315));

    m_Frame6 = new QGroupBox(QStringLiteral("Schedule"), this);
    m_Frame6->setObjectName(QStringLiteral("Frame6"));
    m_Frame6->setGeometry(twips(120, 840, 6195, 3975));
    m_chkScheduler = new QCheckBox(QStringLiteral("Enable Scheduler"), m_Frame6);
    m_chkScheduler->setObjectName(QStringLiteral("chkScheduler"));
    m_chkScheduler->setGeometry(twips(240, 300, 5715, 255));
    m_SkinLabel12 = skinLabel("SkinLabel12", QStringLiteral("Start:"), m_Frame6, twips(240, 660, 615, 255));
    m_dtDate = new QDateEdit(m_Frame6);
    m_dtDate->setObjectName(QStringLiteral("dtDate"));
    m_dtDate->setDisplayFormat(shortDateFormat());
    m_dtDate->setCalendarPopup(true);
    m_dtDate->setGeometry(twips(1080, 600, 2895, 300));
    m_dtTime = new QTimeEdit(m_Frame6);
    m_dtTime->setObjectName(QStringLiteral("dtTime"));
    m_dtTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_dtTime->setTime(QTime(0, 0, 0));
    m_dtTime->setGeometry(twips(4140, 600, 1335, 300));

    m_frRepeat = new QGroupBox(m_Frame6);
    m_frRepeat->setObjectName(QStringLiteral("frRepeat"));
    m_frRepeat->setGeometry(twips(240, 960, 5775, 2895));
    m_chkRepeat = new QCheckBox(QStringLiteral("Run Schedule"), m_frRepeat);
    m_chkRepeat->setObjectName(QStringLiteral("chkRepeat"));
    m_chkRepeat->setGeometry(twips(240, 300, 5235, 195));
    m_chkRepeat->setEnabled(false);
    const QString optionTexts[] = {QStringLiteral("Daily"), QStringLiteral("Weekly"),
                                   QStringLiteral("Monthly")};
    const QRect optionPlaces[] = {twips(480, 600, 1455, 195), twips(480, 900, 1995, 195),
                                  twips(480, 1200, 1455, 195)};
    for (int i = 0; i < 3; ++i) {
        auto *option = new QRadioButton(optionTexts[i], m_frRepeat);
        option->setObjectName(QStringLiteral("optRepeat"));
        option->setProperty("index", i);
        option->setGeometry(optionPlaces[i]);
        option->setEnabled(false);
        m_optRepeat[i] = option;
    }
    m_optRepeat[0]->setChecked(true);
    m_tvScheduleWeek = checkList("tvScheduleWeek", m_frRepeat, twips(2880, 540, 2655, 2055));
    m_tvScheduleMonth = checkList("tvScheduleMonth", m_frRepeat, twips(2880, 540, 2655, 2055));

    m_cmdOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Ok"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(twips(4920, 4920, 1395, 735));
    m_cmdCancel =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setGeometry(twips(3420, 4920, 1395, 735));

    connect(m_chkScheduler, &QCheckBox::toggled, this, &frmWizard::chkScheduler_Click);
    connect(m_chkRepeat, &QCheckBox::toggled, this, &frmWizard::chkRepeat_Click);
    for (int i = 0; i < 3; ++i) {
        connect(m_optRepeat[i], &QRadioButton::toggled, this, [this, i](bool selected) {
            if (selected)
                optRepeat_Click(i);
        });
    }
    // The box toggles a day by itself; a click that left the mark alone was on the text.
    connect(m_tvScheduleMonth, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem *item) {
        m_pressedDay = item;
        m_pressedDayChecked = isChecked(item);
    });
    connect(m_tvScheduleMonth, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const bool onText = item == m_pressedDay && isChecked(item) == m_pressedDayChecked;
        m_pressedDay = nullptr;
        if (onText)
            tvScheduleMonth_NodeClick(item);
    });
    connect(m_cmdOK, &QPushButton::clicked, this, &frmWizard::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmWizard::cmdCancel_Click);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &frmWizard::cmdCancel_Click);
}

void frmWizard::Form_Load() {
    m_ctx.languages.ChangeLanguage(this, m_ctx.values.CurrentLanguage);
    setWindowTitle(m_ctx.languages.getMessages(QStringLiteral("MSG_TITLEWIZARD")));

    m_cbShutdown->clear();
    const bool canHibernate = m_ctx.osPower.canHibernate();
    for (const PowerAction &action : PowerActions) {
        if (isOffered(action, canHibernate))
            m_cbShutdown->addItem(QLatin1String(action.name));
    }
    m_cbShutdown->setCurrentIndex(0);

    m_tvScheduleWeek->clear();
    for (int i = 0; i < WeekdayCount; ++i)
        addEntry(m_tvScheduleWeek, m_ctx.languages.getMessages(QLatin1String(WeekdayMessages[i])),
                 QLatin1String(WeekdayKeys[i]));
    m_tvScheduleMonth->clear();
    for (int day = 1; day <= MonthDayCount; ++day)
        addEntry(m_tvScheduleMonth, QString::number(day), QString());

    const QDateTime now = m_ctx.clock.now();
    if (m_ctx.editMode) {
        m_txtName->setEnabled(false);
        showEntries(entriesForSchedule(m_ctx.CurrentSchedule, now));
    } else {
        showEntries(entriesForNewSchedule(now));
    }
    applyControlStates();
}

void frmWizard::showEntries(const WizardEntries &entries) {
    m_txtName->setText(entries.name);
    if (!entries.action.isEmpty())
        m_cbShutdown->setCurrentText(entries.action);
    m_dtDate->setDate(entries.date);
    m_dtTime->setTime(entries.time);
    // In the order a user would set them; each change runs its click handler.
    m_optRepeat[entries.repeatKind]->setChecked(true);
    for (int i = 0; i < WeekdayCount; ++i)
        m_tvScheduleWeek->topLevelItem(i)->setCheckState(0, checkState(entries.weekdays[i]));
    for (int i = 0; i < MonthDayCount; ++i)
        m_tvScheduleMonth->topLevelItem(i)->setCheckState(0, checkState(entries.days[i]));
    m_chkRepeat->setChecked(entries.repeat);
    m_chkScheduler->setChecked(entries.scheduler);
}

WizardEntries frmWizard::entries() const {
    WizardEntries entries;
    entries.name = m_txtName->text();
    entries.action = m_cbShutdown->currentText();
    entries.scheduler = m_chkScheduler->checkState() != Qt::Unchecked;
    entries.date = m_dtDate->date();
    entries.time = m_dtTime->time();
    entries.repeat = m_chkRepeat->checkState() != Qt::Unchecked;
    entries.repeatKind = selectedRepeatKind();
    // Before the load fills them the lists have no entries: nothing is checked.
    for (int i = 0; i < WeekdayCount && i < m_tvScheduleWeek->topLevelItemCount(); ++i)
        entries.weekdays[i] = isChecked(m_tvScheduleWeek->topLevelItem(i));
    for (int i = 0; i < MonthDayCount && i < m_tvScheduleMonth->topLevelItemCount(); ++i)
        entries.days[i] = isChecked(m_tvScheduleMonth->topLevelItem(i));
    return entries;
}

int frmWizard::selectedRepeatKind() const {
    // The first selected button, scanning from "Daily".
    for (int i = 0; i < int(m_optRepeat.size()); ++i) {
        if (m_optRepeat[i]->isChecked())
            return i;
    }
    return EveryDay;
}

void frmWizard::applyControlStates() {
    const WizardControlStates states =
        wizardControlStates(m_chkScheduler->checkState() != Qt::Unchecked,
                            m_chkRepeat->checkState() != Qt::Unchecked, selectedRepeatKind());
    m_dtDate->setEnabled(states.pickers);
    m_dtTime->setEnabled(states.pickers);
    m_chkRepeat->setEnabled(states.repeatBox);
    for (QRadioButton *option : m_optRepeat)
        option->setEnabled(states.options);
    m_tvScheduleWeek->setVisible(states.visibleList == DayList::Weekdays);
    m_tvScheduleMonth->setVisible(states.visibleList == DayList::MonthDays);
}

void frmWizard::chkScheduler_Click() {
    applyControlStates();
}

void frmWizard::chkRepeat_Click() {
    applyControlStates();
}

void frmWizard::optRepeat_Click(int) {
    applyControlStates();
}

void frmWizard::tvScheduleMonth_NodeClick(QTreeWidgetItem *node) {
    if (node)
        node->setCheckState(0, checkState(!isChecked(node)));
}

void frmWizard::tell(const QString &text) {
    m_ctx.prompt.ask(text, m_ctx.values.ProgramName, Prompt::Buttons::Ok);
}

bool frmWizard::cmdOK_Click() {
    const WizardEntries current = entries();
    if (!m_ctx.editMode && isDuplicateScheduleName(current.name, m_list.rows())) {
        tell(m_ctx.languages.getMessages(QStringLiteral("MSG_NEWNAME")));
        return false;
    }
    if (current.name.isEmpty()) {
        tell(m_ctx.languages.getMessages(QStringLiteral("MSG_NONAME")));
        return false;
    }
    // A refused name or an unwritable folder keeps the old file and the user's entries.
    if (const auto error = WriteScheduleFile(scheduleRecordFromEntries(current), m_ctx.folder.dataFolder())) {
        tell(error->text());
        return false;
    }
    if (m_reload)
        m_reload();
    close();
    return true;
}

void frmWizard::cmdCancel_Click() {
    close();
}

void frmWizard::closeEvent(QCloseEvent *event) {
    event->accept();
    emit unloaded();
}

} // namespace vesperon
