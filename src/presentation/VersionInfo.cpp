#include "presentation/VersionInfo.h"

#include "core/ProductInfo.h"
#include "localization/ProgramValues.h"

namespace vesperon {

void loadVersionInfo(ProgramValues &values) {
    values.ProgramName = QString::fromUtf8(product::ProgramName);
    values.CompanyName = QString::fromUtf8(product::CompanyName);
    values.Website = QString::fromUtf8(product::Website);
}

QString versionText(int major, int minor) {
    return QString::number(major) + QLatin1Char('.') + QString::number(minor);
}

QString websiteAddress(const QString &address) {
    if (address.contains(QLatin1String("https://"), Qt::CaseInsensitive) ||
        address.contains(QLatin1String("http://"), Qt::CaseInsensitive))
        return address;
    return QStringLiteral("http://") + address;
}

} // namespace vesperon
