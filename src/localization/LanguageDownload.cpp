#include "localization/LanguageDownload.h"

#include "core/SafeFile.h"

namespace vesperon {

QString languageDownloadAddress(const QString &website, int folderNumber) {
    return website + QStringLiteral("/Languages/") + QString::number(folderNumber) +
           QStringLiteral("/Localization.txt");
}

std::optional<QByteArray> localizationFromDownload(const QByteArray &body) {
    // The marker is ASCII, so a byte-wise search that folds ASCII letters is exact.
    if (!body.toLower().contains("<translation_items>"))
        return std::nullopt;
    const qsizetype first = body.indexOf('<');
    QByteArray bytes = body.mid(first);
    bytes.append("\r\n");
    return bytes;
}

bool replaceLocalizationFile(const QString &path, const QByteArray &bytes) {
    return !replaceFile(path, bytes);
}

} // namespace vesperon
