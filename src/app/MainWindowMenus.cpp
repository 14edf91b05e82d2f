// The menus, the tray menu and what the tray shows: the second half of the main window.
#include "app/MainWindow.h"

#include "app/AppIcons.h"
#include "app/RunGuard.h"
#include "app/TrayHost.h"
#include "localization/ProgramValues.h"
#include "power/Actions.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>

namespace vesperon {

QAction *MainWindow::addItem(QMenu *menu, const QString &group, int index, const QString &caption,
                             const QString &icon) {
    const bool separator = caption == QLatin1String("-");
    // A separator shows a line only: a style draws the text of a separator beside it.
    auto *action = new QAction(separator ? QString() : caption, menu);
    action->setObjectName(group);
    action->setProperty("index", index);
    if (separator)
        action->setSeparator(true);
    else if (!icon.isEmpty())
        action->setIcon(appIcon(icon));
    menu->addAction(action);
    return action;
}

void MainWindow::buildMenus() {
    const auto topMenu = [this](const char *name, const QString &title, bool onBar = true) {
        auto *menu = new QMenu(title, this);
        menu->setObjectName(QLatin1String(name));
        if (onBar)
            menuBar()->addMenu(menu);
        return menu;
    };
    QMenu *file = topMenu("mnuFile", QStringLiteral("&File"));
    const QString fileCaptions[] = {QStringLiteral("New Schedule"),
                                    QStringLiteral("Edit Selected"),
                                    QStringLiteral("Delete Selected"),
                                    QStringLiteral("-"),
                                    QStringLiteral("General Preferences"),
                                    QStringLiteral("-"),
                                    QStringLiteral("Exit")};
    const QString fileIcons[] = {QStringLiteral("new"),         QStringLiteral("edit"),
                                 QStringLiteral("delete"),      QString(),
                                 QStringLiteral("preferences"), QString(),
                                 QStringLiteral("exit")};
    for (int i = 0; i < 7; ++i) {
        QAction *item = addItem(file, QStringLiteral("mnuFileItem"), i, fileCaptions[i], fileIcons[i]);
        m_mnuFileItem << item;
    }
    connect(m_mnuFileItem[0], &QAction::triggered, this, &MainWindow::onNewScheduleClicked);
    connect(m_mnuFileItem[1], &QAction::triggered, this, &MainWindow::onEditClicked);
    connect(m_mnuFileItem[2], &QAction::triggered, this, &MainWindow::onDeleteClicked);
    connect(m_mnuFileItem[4], &QAction::triggered, this, [this] {
        if (m_open.options)
            m_open.options();
    });
    connect(m_mnuFileItem[6], &QAction::triggered, this, &MainWindow::onExitChosen);
    m_mnuFileItem[1]->setEnabled(false);
    m_mnuFileItem[2]->setEnabled(false);

    // The Action menu lists the actions; choosing one does nothing, as it always has.
    QMenu *action = topMenu("mnuAction", QStringLiteral("&Action"));
    for (int i = 0; i < int(PowerActions.size()); ++i)
        addItem(action, QStringLiteral("mnuActionItem"), i, QLatin1String(PowerActions[i].menuCaption),
                QLatin1String(PowerActions[i].icon));

    QMenu *view = topMenu("mnuView", QStringLiteral("&View"));
    connect(addItem(view, QStringLiteral("mnuPowerOptions"), 0, QStringLiteral("Power Options"),
                    QStringLiteral("power")),
            &QAction::triggered, this, &MainWindow::onPowerOptionsClicked);
    QMenu *language = topMenu("mnuLanguage", QStringLiteral("&Languages"));
    connect(addItem(language, QStringLiteral("mnuLanguageItem"), 0, QStringLiteral("Change Language"),
                    QStringLiteral("language")),
            &QAction::triggered, this, [this] {
                if (m_open.language)
                    m_open.language(false);
            });
    QMenu *help = topMenu("mnuHelp", QStringLiteral("&Help"));
    connect(
        addItem(help, QStringLiteral("mnuHelpItem"), 0, QStringLiteral("View Help"), QStringLiteral("help")),
        &QAction::triggered, this, [this] {
            if (m_open.help)
                m_open.help();
        });
    QMenu *about = topMenu("mnuAbout", QStringLiteral("A&bout"));
    connect(addItem(about, QStringLiteral("mnuAboutItem"), 0, QStringLiteral("About this software"),
                    QStringLiteral("about")),
            &QAction::triggered, this, [this] {
                if (m_open.about)
                    m_open.about();
            });

    // The tray menu is not on the bar: it pops up from the tray icon.
    m_mnuTray = topMenu("mnuTray", QStringLiteral("Tray"), false);
    const QString trayCaptions[] = {QStringLiteral("Open"), QStringLiteral("Hide Menu"), QStringLiteral("-"),
                                    QStringLiteral("Exit")};
    const QString trayIcons[] = {QStringLiteral("open"), QStringLiteral("hide"), QString(),
                                 QStringLiteral("exit")};
    QList<QAction *> trayItems;
    for (int i = 0; i < 4; ++i)
        trayItems << addItem(m_mnuTray, QStringLiteral("mnuTrayItem"), i, trayCaptions[i], trayIcons[i]);
    // "Hide Menu" only closes the menu.
    connect(trayItems[0], &QAction::triggered, this, &MainWindow::onOpenFromTrayChosen);
    connect(trayItems[3], &QAction::triggered, this, &MainWindow::onExitChosen);
}

void MainWindow::keepTrayIconUp() {
    // Only a missing icon is tried again; a present one stays without waking the program.
    m_trayTooltip = trayTooltip();
    if (refreshTrayIcon(m_seams.tray, m_trayTooltip, programIcon()))
        m_trayIconTimer.stop();
    else
        m_trayIconTimer.start(TrayRetryInterval);
}

void MainWindow::popUpTrayMenu() {
    m_mnuTray->popup(QCursor::pos());
}

void MainWindow::bringToFront() {
    // Maximized or not, the window comes back as the user left it; only a minimized one is
    // restored.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

// From the tray a hidden window comes back maximized by "Open" and in the state it had by a
// double click; activating it does not restore a minimized window.
void MainWindow::openFromTray(bool maximizeWhenHidden) {
    if (!isVisible()) {
        if (maximizeWhenHidden)
            setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        show();
    }
    raise();
    activateWindow();
}

void MainWindow::onOpenFromTrayChosen() {
    openFromTray(true);
}

void MainWindow::buildRunGuardItems() {
    QMenu *view = findChild<QMenu *>(QStringLiteral("mnuView"));
    connect(addItem(view, QStringLiteral("mnuHistory"), 0, QStringLiteral("History"), QString()),
            &QAction::triggered, this, [this] {
                if (m_open.history)
                    m_open.history();
            });
    // Above the tray menu's separator, shown while a run is due within a day.
    m_mnuTraySkip =
        addItem(m_mnuTray, QStringLiteral("mnuTraySkip"), 0, QStringLiteral("Skip next run"), QString());
    m_mnuTray->removeAction(m_mnuTraySkip);
    m_mnuTray->insertAction(m_mnuTray->actions().value(2), m_mnuTraySkip);
    m_mnuTraySkip->setVisible(false);
    connect(m_mnuTraySkip, &QAction::triggered, this, [this] { m_guard->skipNext(); });
    connect(m_mnuTray, &QMenu::aboutToShow, this,
            [this] { m_mnuTraySkip->setVisible(m_guard->nextRunWithinADay()); });
    m_lblNextRun = new QLabel(this); // no objectName: its text is not a translation item
    statusBar()->addWidget(m_lblNextRun, 1);
    statusBar()->setSizeGripEnabled(false);
    connect(m_guard.get(), &RunGuard::nextRunChanged, this, &MainWindow::showNextRun);
    connect(&m_guard->availability(), &ActionAvailability::changed, this, &MainWindow::showActionNotes);
}

void MainWindow::showActionNotes() {
    m_model.setTypeNotes(m_guard->availability().notes(),
                         style()->standardIcon(QStyle::SP_MessageBoxWarning));
}

QString MainWindow::trayTooltip() const {
    const QString next = m_guard->nextActionText();
    return next.isEmpty() ? m_seams.values.ProgramName
                          : m_seams.values.ProgramName + QLatin1Char('\n') + next;
}

void MainWindow::showNextRun() {
    m_lblNextRun->setText(m_guard->nextActionText());
    m_mnuTraySkip->setVisible(m_guard->nextRunWithinADay());
    if (trayTooltip() != m_trayTooltip) {
        m_trayTooltip = trayTooltip();
        m_seams.tray.modify(m_trayTooltip);
    }
}

} // namespace vesperon
