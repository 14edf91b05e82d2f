#pragma once

// The newest Localization.txt from the maker's web server: where it is fetched from, which
// answers are taken, and how the file is replaced.

#include <QByteArray>
#include <QString>
#include <optional>

namespace vesperon {

// The folder number in the download address; the program has only ever used folder 0.
inline constexpr int LanguageFolderNumber = 0;

// website + "/Languages/" + folder number + "/Localization.txt".
QString languageDownloadAddress(const QString &website, int folderNumber = LanguageFolderNumber);

// The bytes to store for a downloaded body: nothing unless the body holds
// "<TRANSLATION_ITEMS>" (any letter case); otherwise the body from its first "<" on (a
// byte-order mark or other leading bytes dropped), unchanged, followed by CR LF.
std::optional<QByteArray> localizationFromDownload(const QByteArray &body);

// Replaces the file at path with bytes. The bytes go to a temporary file beside it that
// takes the old file's place only once complete: a failed write keeps the old file whole.
bool replaceLocalizationFile(const QString &path, const QByteArray &bytes);

} // namespace vesperon
