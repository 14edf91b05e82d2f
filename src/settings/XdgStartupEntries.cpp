#include "settings/XdgStartupEntries.h"

#include "core/SafeFile.h"
#include "settings/StoreText.h"

#include <QStringList>

namespace vesperon::settings {

XdgStartupEntries::XdgStartupEntries(QString allUsersFolder, QString thisUserFolder,
                                     const QString &programName, QString executableName)
    : m_allUsersFolder(std::move(allUsersFolder)), m_thisUserFolder(std::move(thisUserFolder)),
      m_fileName(fromStoreText(startupEntryName(toStoreText(programName))).toLower() +
                 QStringLiteral(".desktop")),
      m_executableName(std::move(executableName)) {}

bool XdgStartupEntries::isRegisteredForAllUsers() {
    return isRegisteredIn(m_allUsersFolder);
}

bool XdgStartupEntries::isRegisteredForThisUser() {
    return isRegisteredIn(m_thisUserFolder);
}

bool XdgStartupEntries::isRegisteredIn(const QString &folder) const noexcept {
    try {
        // An entry is a few lines; anything far larger, or not a regular file, is not one.
        const FileRead file = readRegularFile(folder + QLatin1Char('/') + m_fileName, 64 * 1024);
        if (!file)
            return false;
        const auto command = autostartCommand(QString::fromUtf8(file.bytes));
        return command && commandNamesExecutable(toStoreText(*command), toStoreText(m_executableName));
    } catch (...) {
        return false;
    }
}

std::optional<QString> autostartCommand(const QString &desktopFileText) {
    bool inMainGroup = false;
    std::optional<QString> command;
    for (QString line : desktopFileText.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("Hidden") && value == QLatin1String("true"))
            return std::nullopt;
        if (key == QLatin1String("Exec") && !command)
            command = value;
    }
    return command;
}

} // namespace vesperon::settings
