#include "presentation/SplashScreen.h"

#include "core/ProductInfo.h"
#include "core/Twips.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "presentation/VersionInfo.h"
#include "presentation/WindowPictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace vesperon {

SplashScreen::SplashScreen(ProgramValues &values, std::function<QWidget *()> loadMainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_values(values),
      m_loadMainWindow(std::move(loadMainWindow)) {
    setObjectName(QStringLiteral("frmSplash"));
    liveWindows().registerWindow(this);
    setWindowTitle(QString::fromUtf8(product::ProgramName));
    const QSize size(toPixels(7170), toPixels(4770));
    setFixedSize(size);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setProperty("controlKind", QStringLiteral("Image"));
    image->setGeometry(rect());
    image->setPixmap(splashPicture(size));

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_timer.setInterval(2);
    connect(&m_timer, &QTimer::timeout, this, &SplashScreen::tick);
}

void SplashScreen::start() {
    loadVersionInfo(m_values);
    m_timer.start();
}

void SplashScreen::tick() {
    m_ticks = static_cast<qint16>(m_ticks + 2);
    if (m_ticks != TicksToMainWindow)
        return;
    m_timer.stop();
    if (QWidget *mainWindow = m_loadMainWindow ? m_loadMainWindow() : nullptr)
        mainWindow->show();
    hide();
}

} // namespace vesperon
