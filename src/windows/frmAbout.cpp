#include "windows/frmAbout.h"

#include "app/AppContext.h"
#include "core/ProductInfo.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "localization/clsLanguages.h"
#include "windows/VersionInfo.h"
#include "windows/WindowPictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace vesperon {

frmAbout::frmAbout(AppContext &context)
    : QDialog(nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_ctx(context) {
    setObjectName(QStringLiteral("frmAbout"));
    liveWindows().registerWindow(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(pixelsFromTwips(7455), pixelsFromTwips(2925));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setProperty("controlKind", QStringLiteral("PictureBox"));
    picture->setGeometry(rectFromTwips(120, 120, 1440, 1440));
    picture->setPixmap(aboutPicture(picture->size()));

    label("SkinLabel1", QString(), QRect(), "SkinLabel")->hide();
    m_Label1 = label("Label1", QStringLiteral("Vesperon"), rectFromTwips(1800, 120, 5535, 435), "SkinLabel");
    QFont title = m_Label1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    m_Label1->setFont(title);
    label("Label2", QStringLiteral("Version:"), rectFromTwips(1800, 690, 1335, 255), nullptr);
    m_lblVersion = label("lblVersion", QString(), rectFromTwips(3240, 690, 4095, 255), "SkinLabel");
    label("Label3", QStringLiteral("Owned By:"), rectFromTwips(1800, 1005, 1335, 255), nullptr);
    m_lblCompany = label("lblCompany", QString(), rectFromTwips(3240, 1005, 4095, 255), "SkinLabel");
    label("Label4", QStringLiteral("Website:"), rectFromTwips(1800, 1320, 1335, 255), nullptr);
    m_lblWebsite = label("lblWebsite", QString(), rectFromTwips(3240, 1320, 4095, 255), "SkinLabel");
    QLabel *notice = label("Label5",
                           QStringLiteral("This program turns off, restarts or suspends your computer at the "
                                          "times you set. Save your work before a schedule is due: open "
                                          "programs are closed without asking."),
                           rectFromTwips(120, 1800, 7215, 1005), nullptr);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QLabel *frmAbout::label(const char *name, const QString &text, QRect place, const char *kind) {
    auto *result = new QLabel(text, this);
    result->setObjectName(QLatin1String(name));
    if (kind)
        result->setProperty("controlKind", QLatin1String(kind));
    // Plain text: a click on a value does nothing.
    result->setTextFormat(Qt::PlainText);
    result->setTextInteractionFlags(Qt::NoTextInteraction);
    result->setGeometry(place);
    return result;
}

void frmAbout::Form_Load() {
    m_ctx.languages.ChangeLanguage(this, m_ctx.values.CurrentLanguage);
    setWindowTitle(m_ctx.languages.getMessages(QStringLiteral("MSG_TITLEABOUT")));
    m_Label1->setText(m_ctx.values.ProgramName);
    m_lblCompany->setText(m_ctx.values.CompanyName);
    m_lblVersion->setText(versionText(product::VersionMajor, product::VersionMinor));
    m_lblWebsite->setText(m_ctx.values.Website);
}

} // namespace vesperon
