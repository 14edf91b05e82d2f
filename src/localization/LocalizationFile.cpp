#include "localization/LocalizationFile.h"

#include "core/SafeFile.h"
#include "localization/LocalizationParser.h"

#include <QDir>
#include <QFileInfo>

namespace vesperon {

namespace {

std::u16string_view view(const QString &text) {
    return {reinterpret_cast<const char16_t *>(text.constData()), static_cast<std::size_t>(text.size())};
}

QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar *>(text.data()), static_cast<qsizetype>(text.size()));
}

const char *const TemplateHead[] = {
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
    "<XML_DIZ_INFO>",
    "\t<LOCALIZATION_FILE_INFO>",
    "\t\t<LOCALIZATION_FILE_VERSION>1.0</LOCALIZATION_FILE_VERSION>",
    "\t</LOCALIZATION_FILE_INFO>",
    "<LANGUAGE_GROUP xml:lang=\"en\">",
    "\t<LANGUAGE_NAME>English</LANGUAGE_NAME>",
    "\t<DESCRIPTION>This file contains various translations of program buttons, messages and menus in "
    "XML format.  The original document was created using translation software, and may sound strange "
    "when read by people.  We invite you to make modifications to existing languages and translate new "
    "languages.  Please send them to us so that we can update this file and make your translation "
    "available to all users.  Our current email address is located on our homepage which can be visited "
    "through the software or our program folder on your Start Menu.  Before making changes to a "
    "localization file please use the program to download the most recent localization file using the "
    "'Check for Language Updates' button in the Languages window.</DESCRIPTION>",
    "\t<TRANSLATION_ITEMS>",
};

const char *const TemplateTail[] = {
    "\t</TRANSLATION_ITEMS>",
    "</LANGUAGE_GROUP>",
    "</XML_DIZ_INFO>",
};

} // namespace

QString localizationFilePath(const QString &appFolder) {
    return QDir(appFolder).filePath(QLatin1String(LocalizationFileName));
}

std::optional<QString> ReadLocalizationText(const QString &path) {
    // Only regular files: a FIFO or device under that name would block or never end.
    const FileRead file =
        readRegularFile(path, static_cast<qint64>(l10n::MaxLocalizationFileBytes), OverLimit::ReadPrefix);
    if (!file)
        return std::nullopt;
    const QByteArray &bytes = file.bytes;
    const std::u16string text =
        l10n::decodeUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return toQString(text);
}

std::optional<QStringList> FindLanguageGroup(const QString &text, const QString &name) {
    const std::optional<std::u16string_view> items = l10n::findLanguageItems(view(text), view(name));
    if (!items)
        return std::nullopt;
    QStringList lines;
    for (const std::u16string_view line : l10n::splitItemLines(*items))
        lines.append(toQString(line));
    return lines;
}

QStringList ListLanguageNames(const QString &text) {
    QStringList names;
    for (const std::u16string_view name : l10n::listLanguageNames(view(text)))
        names.append(toQString(name));
    return names;
}

QString FindItemText(const QStringList &lines, const QString &key) {
    for (const QString &line : lines) {
        if (const std::optional<std::u16string_view> text = l10n::matchItemLine(view(line), view(key)))
            return toQString(*text);
    }
    return QString();
}

bool LangFileExists(const QString &path) {
    const QString name = LangTrimPath(path);
    if (name.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    // Ask the folder for the name it holds: on a file system that ignores case the path may
    // spell the name differently from the entry.
    const QStringList entries =
        info.dir().entryList(QStringList{info.fileName()}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString LangTrimPath(const QString &path) {
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

QByteArray localizationTemplate(const QList<LocalizationItem> &items) {
    QByteArray out;
    const auto line = [&out](const QByteArray &text) {
        out.append(text);
        out.append("\r\n");
    };
    for (const char *head : TemplateHead)
        line(head);
    for (const LocalizationItem &item : items) {
        const QByteArray key = item.key.toUpper().toUtf8();
        line("\t\t<" + key + '>' + item.text.toUtf8() + "</" + key + '>');
    }
    for (const char *tail : TemplateTail)
        line(tail);
    return out;
}

bool writeLocalizationTemplate(const QString &path, const QList<LocalizationItem> &items) {
    return !replaceFile(path, localizationTemplate(items));
}

} // namespace vesperon
