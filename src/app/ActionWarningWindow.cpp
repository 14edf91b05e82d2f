#include "app/ActionWarningWindow.h"

#include "core/Clock.h"
#include "localization/LanguageEngine.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vesperon {

QString countdownText(const QDateTime &now, const QDateTime &moment) {
    // Rounded up: the last second before the action reads 0:01.
    const qint64 seconds = std::max<qint64>(0, (now.msecsTo(moment) + 999) / 1000);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

ActionWarningWindow::ActionWarningWindow(const Clock &clock, LanguageEngine &languages, UpcomingRun run)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_clock(clock), m_languages(languages), m_run(std::move(run)) {
    setObjectName(QStringLiteral("frmWarning"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_languages.getMessages(QStringLiteral("MSG_TITLEWARNING")));

    auto *layout = new QVBoxLayout(this);
    m_lblWarning = new QLabel(this);
    m_lblWarning->setObjectName(QStringLiteral("lblWarning"));
    QFont font = m_lblWarning->font();
    font.setBold(true);
    m_lblWarning->setFont(font);
    layout->addWidget(m_lblWarning);
    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    const auto answer = [this](QPushButton *button,
                               void (ActionWarningWindow::*chosen)(const UpcomingRun &)) {
        connect(button, &QPushButton::clicked, this, [this, chosen] {
            const UpcomingRun run = m_run;
            close();
            emit(this->*chosen)(run);
        });
    };
    answer(addButton("cmdCancelRun", QStringLiteral("MSG_WARNINGCANCEL")),
           &ActionWarningWindow::cancelChosen);
    answer(addButton("cmdPostpone", QStringLiteral("MSG_WARNINGPOSTPONE")),
           &ActionWarningWindow::postponeChosen);
    answer(addButton("cmdDoItNow", QStringLiteral("MSG_WARNINGNOW")), &ActionWarningWindow::doNowChosen);
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setFocusPolicy(Qt::NoFocus); // Enter or Space typed elsewhere never lands here
        buttons->addWidget(button);
    }

    m_countdown.setInterval(1000);
    connect(&m_countdown, &QTimer::timeout, this, &ActionWarningWindow::tick);
    m_countdown.start();
    tick();
    adjustSize();
    // Bottom right, where notices appear, clear of the taskbar.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        move(room.right() - width() - 16, room.bottom() - height() - 48);
    }
}

QPushButton *ActionWarningWindow::addButton(const char *name, const QString &message) {
    auto *button = new QPushButton(m_languages.getMessages(message), this);
    button->setObjectName(QLatin1String(name));
    return button;
}

QString ActionWarningWindow::text() const {
    return m_languages.getMessages(QStringLiteral("MSG_WARNING"))
        .arg(m_run.type, countdownText(m_clock.now(), m_run.moment), m_run.name);
}

void ActionWarningWindow::tick() {
    if (m_clock.now() >= m_run.moment) {
        m_countdown.stop();
        close();
        return;
    }
    m_lblWarning->setText(text());
}

} // namespace vesperon
