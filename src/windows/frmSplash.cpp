#include "windows/frmSplash.h"

#include "app/AppContext.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "windows/VersionInfo.h"
#include "windows/WindowPictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace vesperon {

frmSplash::frmSplash(AppContext &context, std::function<QWidget *()> loadMainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_ctx(context),
      m_loadMainWindow(std::move(loadMainWindow)) {
    setObjectName(QStringLiteral("frmSplash"));
    liveWindows().registerWindow(this);
    setWindowTitle(QString::fromUtf8(product::ProgramName));
    const QSize size(pixelsFromTwips(7170), pixelsFromTwips(4770));
    setFixedSize(size);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setProperty("controlKind", QStringLiteral("Image"));
    image->setGeometry(rect());
    image->setPixmap(splashPicture(size));

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_Timer2.setInterval(2);
    connect(&m_Timer2, &QTimer::timeout, this, &frmSplash::Timer2_Timer);
}

void frmSplash::Form_Load() {
    loadVersionInfo(m_ctx.values);
    m_Timer2.start();
}

void frmSplash::Timer2_Timer() {
    m_SplashTicks = static_cast<qint16>(m_SplashTicks + 2);
    if (m_SplashTicks != TicksToMainWindow)
        return;
    m_Timer2.stop();
    QWidget *mainWindow = m_loadMainWindow ? m_loadMainWindow() : nullptr;
    if (mainWindow && !m_ctx.startedHidden)
        mainWindow->show();
    hide();
}

} // namespace vesperon
