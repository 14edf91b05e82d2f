#include "presentation/AboutDialog.h"

#include "core/ProductInfo.h"
#include "core/Twips.h"
#include "localization/LanguageEngine.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "presentation/VersionInfo.h"
#include "presentation/WindowPictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace vesperon {

AboutDialog::AboutDialog(LanguageEngine &languages, const ProgramValues &values)
    : QDialog(nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    liveWindows().registerWindow(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(toPixels(7455), toPixels(2925));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setProperty("controlKind", QStringLiteral("PictureBox"));
    picture->setGeometry(twipsRect(120, 120, 1440, 1440));
    picture->setPixmap(aboutPicture(picture->size()));

    label("SkinLabel1", QString(), QRect(), "SkinLabel")->hide();
    QLabel *productName =
        label("Label1", QStringLiteral("Vesperon"), twipsRect(1800, 120, 5535, 435), "SkinLabel");
    QFont title = productName->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    productName->setFont(title);
    label("Label2", QStringLiteral("Version:"), twipsRect(1800, 690, 1335, 255), nullptr);
    QLabel *version = label("lblVersion", QString(), twipsRect(3240, 690, 4095, 255), "SkinLabel");
    label("Label3", QStringLiteral("Owned By:"), twipsRect(1800, 1005, 1335, 255), nullptr);
    QLabel *company = label("lblCompany", QString(), twipsRect(3240, 1005, 4095, 255), "SkinLabel");
    label("Label4", QStringLiteral("Website:"), twipsRect(1800, 1320, 1335, 255), nullptr);
    QLabel *website = label("lblWebsite", QString(), twipsRect(3240, 1320, 4095, 255), "SkinLabel");
    QLabel *notice = label("Label5",
                           QStringLiteral("This program turns off, restarts or suspends your computer at the "
                                          "times you set. Save your work before a schedule is due: open "
                                          "programs are closed without asking."),
                           twipsRect(120, 1800, 7215, 1005), nullptr);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Translated first: the product values and the version are not texts of the file.
    languages.ChangeLanguage(this, values.CurrentLanguage);
    setWindowTitle(languages.getMessages(QStringLiteral("MSG_TITLEABOUT")));
    productName->setText(values.ProgramName);
    company->setText(values.CompanyName);
    version->setText(versionText(product::VersionMajor, product::VersionMinor));
    website->setText(values.Website);
}

QLabel *AboutDialog::label(const char *name, const QString &text, QRect place, const char *kind) {
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

} // namespace vesperon
