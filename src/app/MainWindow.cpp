#include "app/MainWindow.h"

#include "app/AppIcons.h"
#include "app/PictureButton.h"
#include "app/RunGuard.h"
#include "app/StillRunningPrompt.h"
#include "app/TrayHost.h"
#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/Shell.h"
#include "core/ShortDate.h"
#include "localization/LanguageEngine.h"
#include "localization/WindowRegistry.h"
#include "power/Actions.h"
#include "power/PowerBackend.h"
#include "power/PowerController.h"
#include "presentation/PowerSettings.h"
#include "schedule/QuickSchedule.h"
#include "schedule/ScheduleList.h"
#include "schedule/SchedulerCycle.h"
#include "settings/SettingsBundle.h"
#include "settings/WarningLeadGroup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

namespace vesperon {

namespace {

// Enter in the action box does what the Go button does.
class EnterFilter final : public QObject {
public:
    EnterFilter(QObject *parent, std::function<void()> onEnter)
        : QObject(parent), m_onEnter(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_onEnter();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onEnter;
};

void addAction(QComboBox *box, int index, const PowerAction &action) {
    box->insertItem(index, appIcon(QLatin1String(action.icon)), QLatin1String(action.name));
}

// The actions the system offers, the first one chosen. Whether the system can hibernate
// may take it a moment to say, and the window does not wait: "Hibernate" then goes first,
// chosen unless the user has chosen something else already.
void fillActionBox(QComboBox *box, PowerBackend &power) {
    box->clear();
    for (const PowerAction &action : PowerActions) {
        if (isOffered(action, false))
            addAction(box, box->count(), action);
    }
    box->setCurrentIndex(0);
    static_assert(PowerActions[0].verb == PowerVerb::Hibernate);
    const QString firstChoice = box->currentText();
    power.queryCanHibernate([box = QPointer<QComboBox>(box), firstChoice](bool canHibernate) {
        if (!canHibernate || !box)
            return;
        const bool untouched = box->currentIndex() == 0 && box->currentText() == firstChoice;
        addAction(box, 0, PowerActions[0]);
        if (untouched)
            box->setCurrentIndex(0);
    });
}

} // namespace

MainWindow::MainWindow(MainWindowSeams seams, QWidget *parent)
    : QMainWindow(parent), m_seams(std::move(seams)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vesperon"));
    liveWindows().registerWindow(this);
    m_power = std::make_unique<PowerController>(m_seams.power);
    m_cycle = std::make_unique<SchedulerCycle>(
        m_model, m_seams.clock, dataFolder(),
        [this](const QString &name, const QString &type) { performAction(name, type); }, this);
    m_guard = std::make_unique<RunGuard>(
        RunGuardSeams{m_seams.clock, m_seams.prompt, m_seams.tray, m_seams.power, m_seams.languages,
                      m_seams.values},
        m_model, *m_cycle, m_seams.folder.filePath(QStringLiteral("history.log")),
        [this] {
            return settings::warningLeadSeconds(
                m_seams.settings.user().value(settings::keys::WarningLeadSeconds));
        },
        [this](const QString &name, const QString &type) { performAction(name, type, true); }, this);
    buildControls();
    buildMenus();
    buildRunGuardItems();
    m_trayIconTimer.setInterval(TrayRetryInterval);
    connect(&m_trayIconTimer, &QTimer::timeout, this, &MainWindow::keepTrayIconUp);
    connect(&m_seams.tray, &TrayHost::clicked, this, &MainWindow::popUpTrayMenu);
    connect(&m_seams.tray, &TrayHost::contextClicked, this, &MainWindow::popUpTrayMenu);
    connect(&m_seams.tray, &TrayHost::doubleClicked, this, [this] { openFromTray(false); });
    // Logging off or shutting down ends the program without asking.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) {
        if (mayUnload(CloseReason::SystemShutdown))
            unload();
    });
}

MainWindow::~MainWindow() = default;

QString MainWindow::dataFolder() const {
    return m_seams.folder.dataFolder();
}

void MainWindow::buildControls() {
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    client->setMinimumSize(0, 0);
    setCentralWidget(client);
    resize(toPixels(12165), toPixels(7230) + menuBar()->sizeHint().height());

    // Picture buttons: the picture above the caption, so the caption has the whole width.
    const auto button = [client](const char *name, const QString &caption, const QString &icon, QRect place) {
        auto *b = new PictureButton(client);
        b->setObjectName(QLatin1String(name));
        b->setProperty("controlKind", QStringLiteral("CommandButton"));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setIcon(appIcon(icon));
        b->setText(caption);
        b->setIconSize(QSize(24, 24));
        b->setGeometry(place);
        return b;
    };
    m_cmdNewSchedule = button("cmdNewSchedule", QStringLiteral("New Schedule"), QStringLiteral("new"),
                              twipsRect(60, 60, 1755, 915));
    m_cmdEdit =
        button("cmdEdit", QStringLiteral("Edit"), QStringLiteral("edit"), twipsRect(1860, 60, 1275, 915));
    m_cmdDelete = button("cmdDelete", QStringLiteral("Delete"), QStringLiteral("delete"),
                         twipsRect(3180, 60, 1215, 915));
    m_cmdEdit->setEnabled(false);
    m_cmdDelete->setEnabled(false);

    m_Label1 = new QLabel(QStringLiteral("Temporary Scheduler:"), client);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setProperty("controlKind", QStringLiteral("SkinLabel"));
    m_Label1->setGeometry(twipsRect(4440, 60, 2295, 240));
    m_SkinLabel1 = new QLabel(client);
    m_SkinLabel1->setObjectName(QStringLiteral("SkinLabel1"));
    m_SkinLabel1->setProperty("controlKind", QStringLiteral("SkinLabel"));
    m_SkinLabel1->hide();

    m_cbShutdown = new QComboBox(client);
    m_cbShutdown->setObjectName(QStringLiteral("cbShutdown"));
    m_cbShutdown->setEditable(true);
    m_cbShutdown->setInsertPolicy(QComboBox::NoInsert);
    m_cbShutdown->setGeometry(twipsRect(4440, 300, 2295, 330));
    m_cbShutdown->installEventFilter(new EnterFilter(m_cbShutdown, [this] { onGoClicked(); }));
    m_cmbTime = new QComboBox(client);
    m_cmbTime->setObjectName(QStringLiteral("cmbTime"));
    m_cmbTime->setEditable(true);
    m_cmbTime->setInsertPolicy(QComboBox::NoInsert);
    m_cmbTime->addItems(quickScheduleDelayItems());
    m_cmbTime->setGeometry(twipsRect(4440, 660, 2295, 330));
    m_cmbTime->setCurrentText(QuickScheduleNow);

    m_cmdGo = button("cmdGo", QStringLiteral("Go"), QStringLiteral("go"), twipsRect(6780, 60, 1215, 915));
    m_cmdPower = button("cmdPower", QStringLiteral("Power Options"), QStringLiteral("power"),
                        twipsRect(8040, 60, 1635, 915));
    m_cmdWebsite = button("cmdWebsite", QString(), QStringLiteral("website"), twipsRect(9720, 60, 2415, 915));
    m_cmdWebsite->setProperty("elidesText", true); // the address is shortened, never the font

    m_chkPrevent = new QCheckBox(QStringLiteral("Prevent any schedules from running"), client);
    m_chkPrevent->setObjectName(QStringLiteral("chkPrevent"));
    m_chkPrevent->setGeometry(twipsRect(120, 1080, 10875, 255));
    m_chkLowPower = new QCheckBox(
        QStringLiteral("Prevent this computer from entering Stand By mode or Hibernating due to inactivity"),
        client);
    m_chkLowPower->setObjectName(QStringLiteral("chkLowPower"));
    m_chkLowPower->setGeometry(twipsRect(120, 1380, 10875, 255));

    m_lstSchedules = new QTreeView(client);
    m_lstSchedules->setObjectName(QStringLiteral("lstSchedules"));
    m_lstSchedules->setRootIsDecorated(false);
    m_lstSchedules->setUniformRowHeights(true);
    m_lstSchedules->setAlternatingRowColors(true);
    m_lstSchedules->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lstSchedules->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstSchedules->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstSchedules->setModel(&m_model);
    m_lstSchedules->header()->setStretchLastSection(false);
    m_lstSchedules->setGeometry(twipsRect(60, 1680, 10995, 5475));
    for (int column = 0; column < ScheduleListModel::ColumnCount; ++column) {
        m_columnTwips[column] = ColumnDesignTwips[column];
        m_columnPixels[column] = toPixels(ColumnDesignTwips[column]);
        m_lstSchedules->header()->resizeSection(column, m_columnPixels[column]);
    }

    connect(m_lstSchedules, &QTreeView::clicked, this, &MainWindow::onScheduleClicked);
    // Edit and Delete act on the selected row: with none selected (a click beside the rows, a
    // reload) they are off.
    const auto offWithoutSelection = [this] {
        if (!m_lstSchedules->selectionModel()->hasSelection())
            setItemCommands({false, false});
    };
    connect(m_lstSchedules->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            offWithoutSelection);
    connect(&m_model, &QAbstractItemModel::modelReset, this, offWithoutSelection);
    connect(m_cmdNewSchedule, &QToolButton::clicked, this, &MainWindow::onNewScheduleClicked);
    connect(m_cmdEdit, &QToolButton::clicked, this, &MainWindow::onEditClicked);
    connect(m_cmdDelete, &QToolButton::clicked, this, &MainWindow::onDeleteClicked);
    connect(m_cmdGo, &QToolButton::clicked, this, &MainWindow::onGoClicked);
    connect(m_cmdPower, &QToolButton::clicked, this, &MainWindow::onPowerOptionsClicked);
    connect(m_cmdWebsite, &QToolButton::clicked, this, &MainWindow::onWebsiteClicked);
    connect(m_chkPrevent, &QCheckBox::toggled, this, [this](bool on) {
        m_cycle->setPreventSchedules(on);
        m_guard->warner().check();
    });
    connect(m_chkLowPower, &QCheckBox::clicked, this, &MainWindow::onKeepAwakeClicked);
}

void MainWindow::load() {
    setWindowIcon(programIcon());
    auto &user = m_seams.settings.user();
    const QString firstLanguage = user.value(settings::keys::Language, QString());
    m_cmdWebsite->setText(QStringLiteral("Visit ") + m_seams.values.Website);
    m_seams.values.CurrentLanguage = user.value(settings::keys::Language);
    SetDefaultMessages(m_seams.languages);
    m_cmdWebsite->setToolTip(m_seams.values.Website);
    m_seams.languages.ChangeLanguage(this, m_seams.values.CurrentLanguage);
    if (firstLanguage.isEmpty()) {
        user.setValue(settings::keys::Language, QStringLiteral("English"));
        if (m_open.language)
            m_open.language(true);
    }
    setWindowTitle(m_seams.languages.getMessages(QStringLiteral("MSG_TITLE")));
    reloadSchedules();

    fillActionBox(m_cbShutdown, m_seams.power);
    m_seams.power.setWindowHandle(static_cast<std::uintptr_t>(winId()));
    keepTrayIconUp();
    QDir().mkpath(dataFolder());
    restoreColumnWidths();

    if (user.value(settings::keys::showHelp) == QLatin1String("1")) {
        if (user.value(settings::keys::Language) == QLatin1String("English") && m_open.help)
            m_open.help();
        user.setValue(settings::keys::showHelp, QStringLiteral("0"));
    }
    const bool minimized = m_seams.settings.program().value(settings::keys::chkMin) == QLatin1String("1");
    if (minimized)
        setWindowState(windowState() | Qt::WindowMinimized);
    // Without a tray the window starts minimized but shown: a hidden one could not come back.
    if (minimized && !m_trayIconTimer.isActive()) {
        hide();
        m_startedHidden = true;
        m_seams.settings.program().setStartedHidden(true);
    }
    m_cycle->start();
    m_guard->start();
    showNextRun();
}

void MainWindow::reloadSchedules() {
    const LanguageEngine &texts = m_seams.languages;
    m_model.setUnreadableNote(texts.getMessages(QStringLiteral("MSG_UNREADABLE")));
    m_model.setManagedNotes({texts.getMessages(QStringLiteral("MSG_MANAGED")),
                             texts.getMessages(QStringLiteral("MSG_MANAGEDTIP")),
                             texts.getMessages(QStringLiteral("MSG_HIDDENBYMANAGED")),
                             texts.getMessages(QStringLiteral("MSG_HIDDENBYMANAGEDTIP")),
                             appIcon(QStringLiteral("lock"))});
    vesperon::loadData(m_model, dataFolder(), m_seams.clock.now(), QLocale(),
                       m_seams.folder.managedDataFolders());
    showActionNotes();
    m_guard->availability().refresh(); // asked again whenever a schedule is saved
}

void MainWindow::restoreColumnWidths() {
    auto &user = m_seams.settings.user();
    for (int column = 1; column <= ScheduleListModel::ColumnCount; ++column) {
        const int twips = columnTwipsFromSetting(user.value(settings::keys::BackupSetColumn(column)),
                                                 ColumnDesignTwips[column - 1]);
        m_columnTwips[column - 1] = twips;
        m_columnPixels[column - 1] = qRound(double(twips) / TwipsPerPixel);
        m_lstSchedules->header()->resizeSection(column - 1, m_columnPixels[column - 1]);
    }
}

double MainWindow::columnTwips(int column) const {
    const int pixels = m_lstSchedules->header()->sectionSize(column);
    return pixels == m_columnPixels[column] ? m_columnTwips[column] : double(pixels) * TwipsPerPixel;
}

void MainWindow::saveColumnWidths() {
    auto &user = m_seams.settings.user();
    for (int column = 1; column <= ScheduleListModel::ColumnCount; ++column)
        user.setValue(settings::keys::BackupSetColumn(column),
                      columnSettingFromTwips(columnTwips(column - 1)));
}

void MainWindow::setItemCommands(ItemCommandStates states) {
    m_cmdEdit->setEnabled(states.edit);
    m_mnuFileItem[1]->setEnabled(states.edit);
    m_cmdDelete->setEnabled(states.remove);
    m_mnuFileItem[2]->setEnabled(states.remove);
}

void MainWindow::onScheduleClicked(const QModelIndex &index) {
    const int row = index.row();
    if (!index.isValid() || row >= m_model.rowCount())
        return;
    const bool hasFile = fillCurrentSchedule(m_model.row(row), dataFolder(), m_currentSchedule);
    setItemCommands(commandsForClickedRow(hasFile, m_model.row(row).managed()));
}

void MainWindow::onNewScheduleClicked() {
    if (m_open.wizard)
        m_open.wizard(nullptr);
}

void MainWindow::onEditClicked() {
    if (m_open.wizard)
        m_open.wizard(&m_currentSchedule);
}

void MainWindow::onDeleteClicked() {
    const QModelIndex selected = m_lstSchedules->currentIndex();
    if (!selected.isValid() || selected.row() >= m_model.rowCount())
        return; // nothing selected: nothing to delete
    const ScheduleRow row = m_model.row(selected.row());
    const Prompt::Answer answer = m_seams.prompt.ask(
        m_seams.languages.getMessages(QStringLiteral("MSG_DELETE")),
        m_seams.languages.getMessages(QStringLiteral("MSG_TITLEDELETE")), Prompt::Buttons::YesNo);
    if (answer != Prompt::Answer::Yes)
        return;
    deleteScheduleFile(row, dataFolder());
    reloadSchedules();
    setItemCommands({false, false});
}

void MainWindow::onPowerOptionsClicked() {
    openPowerSettings(m_seams.shell, m_seams.prompt, m_seams.languages);
}

void MainWindow::onWebsiteClicked() {
    if (m_open.website)
        m_open.website(QStringLiteral("Website"));
}

void MainWindow::onGoClicked() {
    const QString delay = m_cmbTime->currentText();
    const QString action = m_cbShutdown->currentText();
    if (delay == QuickScheduleNow) {
        const Prompt::Answer answer = m_seams.prompt.ask(
            m_seams.languages.getMessages(QStringLiteral("MSG_SURE")),
            m_seams.languages.getMessages(QStringLiteral("MSG_TITLECONFIRM")), Prompt::Buttons::OkCancel);
        if (answer == Prompt::Answer::Ok)
            performAction(QString(), action, true);
        return;
    }
    m_model.appendRow(quickScheduleRow(action, delay, m_seams.clock.now()));
}

void MainWindow::performAction(const QString &scheduleName, const QString &actionType, bool interactive) {
    m_guard->performed(scheduleName, actionType, m_power->perform(actionType.toStdString(), interactive));
}

void MainWindow::onKeepAwakeClicked(bool on) {
    const PowerResult result = m_power->setSleepBlocked(on);
    if (!on || result.ok)
        return;
    // A box that stays ticked would promise what the system does not do.
    m_chkLowPower->setChecked(false);
    m_seams.prompt.ask(m_seams.languages.getMessages(QStringLiteral("MSG_NOSLEEPBLOCK")) +
                           QStringLiteral("\n\n") + QString::fromStdString(result.error),
                       m_seams.values.ProgramName, Prompt::Buttons::Ok, Prompt::Icon::Warning);
}

void MainWindow::onExitChosen() {
    m_exitRequested = true;
    close();
}

bool MainWindow::mayUnload(CloseReason reason) {
    auto &program = m_seams.settings.program();
    const CloseDecision decision =
        decideClose(reason, m_exitRequested, program.value(settings::keys::chkAlwaysExit),
                    program.value(settings::keys::chkNoShow));
    // Without a tray a hidden window could not be brought back: it is minimized instead, and
    // the reminder, which speaks of the tray, says that once instead.
    const bool inTray = decision.hide && refreshTrayIcon(m_seams.tray, trayTooltip(), programIcon());
    if (decision.hide && (inTray || decision.proceed))
        hide();
    else if (decision.hide)
        showMinimized();
    if (decision.showPrompt && inTray)
        showStillRunning();
    else if (decision.showPrompt && !std::exchange(m_toldNoTray, true))
        m_seams.prompt.ask(m_seams.languages.getMessages(QStringLiteral("MSG_NOTRAY")),
                           m_seams.values.ProgramName, Prompt::Buttons::Ok, Prompt::Icon::Information);
    return decision.proceed;
}

bool MainWindow::canHibernate() const {
    return m_cbShutdown->findText(QLatin1String(PowerActions[0].name)) >= 0;
}

StillRunningPrompt *MainWindow::stillRunningPrompt() const {
    return m_stillRunning.data();
}

void MainWindow::showStillRunning() {
    if (!m_stillRunning) {
        m_stillRunning =
            new StillRunningPrompt(m_seams.settings.program(), m_seams.languages, m_seams.values);
        m_stillRunning->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_stillRunning, &StillRunningPrompt::exitChosen, this, &MainWindow::close);
    }
    if (m_stillRunning->load()) {
        m_stillRunning->show();
        return;
    }
    // "Always exit" was chosen meanwhile: the close request now finds it and ends the program.
    m_stillRunning->deleteLater();
    QTimer::singleShot(0, this, &MainWindow::close);
}

void MainWindow::closeEvent(QCloseEvent *event) {
    if (m_unloaded) {
        event->accept();
        return;
    }
    if (mayUnload(CloseReason::User)) {
        event->accept();
        unload();
    } else {
        event->ignore();
    }
}

void MainWindow::unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && !qobject_cast<QMenu *>(window) && window->isWindow())
            window->close();
    }
    saveColumnWidths();
    m_seams.tray.remove();
    m_trayIconTimer.stop();
    hide();
    emit unloaded();
}

void MainWindow::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    const QSize outer = frameGeometry().size();
    const auto layout =
        resizeControls(outer.width() * TwipsPerPixel, outer.height() * TwipsPerPixel, isMinimized(),
                       m_cmdWebsite->x() * TwipsPerPixel, m_lstSchedules->x() * TwipsPerPixel,
                       m_lstSchedules->y() * TwipsPerPixel);
    if (!layout)
        return;
    m_cmdWebsite->resize(toPixels(layout->websiteButtonWidth), m_cmdWebsite->height());
    m_lstSchedules->resize(toPixels(layout->listWidth),
                           std::max(0, toPixels(layout->listHeight) - statusBar()->sizeHint().height()));
}

} // namespace vesperon
