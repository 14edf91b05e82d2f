#include "windows/frmWebsite.h"

#include "app/AppContext.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "windows/VersionInfo.h"

namespace vesperon {

frmWebsite::frmWebsite(AppContext &context) : QWidget(nullptr), m_ctx(context) {
    setObjectName(QStringLiteral("frmWebsite"));
    liveWindows().registerWindow(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(0, 0);
    m_Timer1.setInterval(1000);
    m_Timer1.setSingleShot(true);
    connect(&m_Timer1, &QTimer::timeout, this, &frmWebsite::Timer1_Timer);
    m_Timer1.start();
}

void frmWebsite::Form_Load() {
    loadVersionInfo(m_ctx.values);
    if (m_ctx.WebsiteMode != QLatin1String("Website"))
        return; // nothing to open; the window still waits for its timer
    m_ctx.shell.open(websiteAddress(m_ctx.values.Website));
    m_ctx.WebsiteMode.clear();
}

void frmWebsite::Timer1_Timer() {
    m_Timer1.stop();
    close();
}

} // namespace vesperon
