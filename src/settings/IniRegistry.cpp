#include "settings/IniRegistry.h"

#include "settings/StoreText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vesperon::settings {

namespace {

// The parts of a key path, without empty ones (a trailing backslash is allowed).
QStringList pathParts(const std::string &path) {
    return fromStoreText(path).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

bool isRunKey(const QStringList &parts) {
    static const QStringList run{QStringLiteral("SOFTWARE"), QStringLiteral("Microsoft"),
                                 QStringLiteral("Windows"), QStringLiteral("CurrentVersion"),
                                 QStringLiteral("Run")};
    if (parts.size() != run.size())
        return false;
    for (int i = 0; i < run.size(); ++i) {
        if (parts[i].compare(run[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

// A name that can serve as one folder level: no separators, not "." or "..".
bool isFolderName(const QString &name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/'));
}

std::string withNul(const QString &text) {
    return toStoreText(text) + '\0';
}

} // namespace

QString DesktopPaths::userAutostartDir() const {
    return configDir + QStringLiteral("/autostart");
}

QString IniRegistry::programIniPath(const QString &company, const QString &application) const {
    return m_paths.configDir + QLatin1Char('/') + company + QLatin1Char('/') + application +
           QStringLiteral("/program.ini");
}

QString IniRegistry::autostartFileName(const QString &valueName) {
    return valueName.toLower() + QStringLiteral(".desktop");
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

bool IniRegistry::resolve(RegRoot root, const std::string &path, Opened &opened) const {
    const QStringList parts = pathParts(path);
    if (isRunKey(parts)) {
        opened.kind = Opened::Kind::Autostart;
        opened.file = root == RegRoot::LocalMachine ? m_paths.systemAutostartDir : m_paths.userAutostartDir();
        return true;
    }
    if (root == RegRoot::LocalMachine && parts.size() == 4 &&
        parts[0].compare(QLatin1String("SOFTWARE"), Qt::CaseInsensitive) == 0 && isFolderName(parts[1]) &&
        isFolderName(parts[2])) {
        opened.kind = Opened::Kind::Ini;
        opened.file = programIniPath(parts[1], parts[2]);
        opened.section = parts[3];
        return true;
    }
    return false;
}

KeyHandle IniRegistry::add(Opened opened) {
    const KeyHandle key = m_nextHandle++;
    m_open.emplace(key, std::move(opened));
    return key;
}

long IniRegistry::openKey(RegRoot root, const std::string &path, KeyHandle &key) {
    Opened opened;
    if (!resolve(root, path, opened))
        return RegFileNotFound;
    if (opened.kind == Opened::Kind::Autostart) {
        if (!QFileInfo(opened.file).isDir())
            return RegFileNotFound;
    } else {
        opened.contents = std::make_unique<IniFile>(opened.file);
        switch (opened.contents->load()) {
        case IniFile::LoadStatus::Missing:
            return RegFileNotFound;
        case IniFile::LoadStatus::Unreadable:
            return RegAccessDenied;
        case IniFile::LoadStatus::Loaded:
            break;
        }
        if (!opened.contents->hasSection(opened.section))
            return RegFileNotFound;
    }
    key = add(std::move(opened));
    return RegOk;
}

long IniRegistry::queryAutostart(const Opened &opened, const std::string &name, std::string &bytes) const {
    QFile file(opened.file + QLatin1Char('/') + autostartFileName(fromStoreText(name)));
    if (!file.exists())
        return RegFileNotFound;
    if (!file.open(QIODevice::ReadOnly))
        return RegAccessDenied;
    const auto command = autostartCommand(QString::fromUtf8(file.readAll()));
    if (!command)
        return RegFileNotFound;
    bytes = withNul(*command);
    return RegOk;
}

long IniRegistry::queryValue(KeyHandle key, const std::string &name, std::uint32_t &type, std::uint32_t &size,
                             std::string *data) {
    const auto found = m_open.find(key);
    if (found == m_open.end())
        return 6; // invalid handle
    const Opened &opened = found->second;
    std::string bytes;
    if (opened.kind == Opened::Kind::Autostart) {
        if (const long result = queryAutostart(opened, name, bytes))
            return result;
    } else {
        if (!opened.contents)
            return RegAccessDenied; // opened for writing only
        const auto value = opened.contents->value(opened.section, fromStoreText(name));
        if (!value)
            return RegFileNotFound;
        bytes = withNul(*value);
    }
    type = RegSz;
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (data) {
        if (size < needed) {
            size = needed;
            return RegMoreData;
        }
        *data = bytes;
    }
    size = needed;
    return RegOk;
}

long IniRegistry::createKey(RegRoot root, const std::string &path, KeyHandle &key) {
    Opened opened;
    if (!resolve(root, path, opened) || opened.kind != Opened::Kind::Ini)
        return RegAccessDenied;
    if (!QDir().mkpath(QFileInfo(opened.file).absolutePath()))
        return RegAccessDenied;
    key = add(std::move(opened));
    return RegOk;
}

long IniRegistry::setValue(KeyHandle key, const std::string &name, const std::string &text) {
    const auto found = m_open.find(key);
    if (found == m_open.end())
        return 6;
    const Opened &opened = found->second;
    if (opened.kind != Opened::Kind::Ini)
        return RegAccessDenied;
    IniFile file(opened.file);
    if (file.load() == IniFile::LoadStatus::Unreadable)
        return RegAccessDenied;
    file.setValue(opened.section, fromStoreText(name), fromStoreText(text));
    return file.save() ? RegOk : RegAccessDenied;
}

void IniRegistry::closeKey(KeyHandle key) {
    m_open.erase(key);
}

} // namespace vesperon::settings
