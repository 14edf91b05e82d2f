#include "localization/LanguageDownload.h"

#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace vesperon
