#pragma once

// Localization.txt as the program sees it: reading it, finding a language's item lines,
// listing the language names, looking up an item, and writing the English template.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vesperon {

inline constexpr const char *LocalizationFileName = "Localization.txt";

// <appFolder>/Localization.txt
QString localizationFilePath(const QString &appFolder);

// The whole file decoded from UTF-8 (byte-order mark skipped, invalid bytes replaced).
// Nothing when the file is missing or cannot be read. Only the first
// l10n::MaxLocalizationFileBytes bytes of a larger file are read.
std::optional<QString> ReadLocalizationText(const QString &path);

// The item lines of the first group named name (letter case ignored, no trimming), or
// nothing when no group of that name is found.
std::optional<QStringList> FindLanguageGroup(const QString &text, const QString &name);

// The names of all language groups in file order, as written.
QStringList ListLanguageNames(const QString &text);

// The text of the first item line whose key is key (letter case ignored); empty when none.
QString FindItemText(const QStringList &lines, const QString &key);

// Whether a file (hidden or read-only ones included, folders not) exists at path under the
// name the path gives, letter case ignored. Any failure counts as absence.
bool LangFileExists(const QString &path);

// The part of a path after its last separator ('\' or '/'); empty for an empty path.
QString LangTrimPath(const QString &path);

// One item of the template: a key as the program spells it and the current text.
struct LocalizationItem {
    QString key;
    QString text;
    bool operator==(const LocalizationItem &) const = default;
};

// The bytes of a template file: the fixed head, one English group holding items (keys
// upper-cased) and the closing lines; UTF-8 without byte-order mark, CR LF line ends.
QByteArray localizationTemplate(const QList<LocalizationItem> &items);

// Writes localizationTemplate(items) to path. The bytes go to a temporary file that
// replaces the old one only once it is complete, so a failed write (a full disk included)
// keeps the old file.
bool writeLocalizationTemplate(const QString &path, const QList<LocalizationItem> &items);

} // namespace vesperon
