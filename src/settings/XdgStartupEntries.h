#pragma once

// Off Windows the XDG autostart entries stand for the Run keys: <name>.desktop, <name> being
// the program's name in lower case, in /etc/xdg/autostart for all users and in
// <config>/autostart for this user. The Exec= line of the entry's [Desktop Entry] group is the
// command line the rule looks at; an entry marked Hidden=true is switched off and counts as
// absent, and so does anything but a regular file of at most 64 KiB. Nothing is written here.

#include "settings/StartupEntries.h"

#include <QString>
#include <optional>

namespace vesperon::settings {

class XdgStartupEntries final : public StartupEntries {
public:
    XdgStartupEntries(QString allUsersFolder, QString thisUserFolder, const QString &programName,
                      QString executableName);

    bool isRegisteredForAllUsers() override;
    bool isRegisteredForThisUser() override;

private:
    bool isRegisteredIn(const QString &folder) const noexcept;

    QString m_allUsersFolder;
    QString m_thisUserFolder;
    QString m_fileName;
    QString m_executableName;
};

// The Exec= command of an autostart entry's [Desktop Entry] group; nothing when the entry has
// none or is marked Hidden=true.
std::optional<QString> autostartCommand(const QString &desktopFileText);

} // namespace vesperon::settings
