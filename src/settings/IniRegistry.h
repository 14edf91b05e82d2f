#pragma once

// The Registry seam off Windows, on files under the user's configuration folder:
// - HKEY_LOCAL_MACHINE\SOFTWARE\<company>\<application>\<section> is section <section> of
//   <config>/<company>/<application>/program.ini;
// - the Run key stands for an XDG autostart folder: /etc/xdg/autostart for all users (under
//   HKEY_LOCAL_MACHINE), <config>/autostart for this user (HKEY_CURRENT_USER). The value named
//   after the program is the Exec= line of <lower-case name>.desktop; an entry marked Hidden
//   is switched off and counts as absent.
// Every other key is missing, and cannot be created. Nothing is cached: each open reads the
// file afresh and each write replaces it in one step. A file that cannot be written (the
// folder is read-only, a folder stands in its place) fails with access denied.

#include "settings/IniFile.h"
#include "settings/Registry.h"

#include <QString>
#include <map>
#include <memory>

namespace vesperon::settings {

struct DesktopPaths {
    QString configDir; // ~/.config normally
    QString systemAutostartDir = QStringLiteral("/etc/xdg/autostart");
    QString userAutostartDir() const; // <config>/autostart
};

class IniRegistry final : public Registry {
public:
    explicit IniRegistry(DesktopPaths paths) : m_paths(std::move(paths)) {}

    long openKey(RegRoot root, const std::string &path, KeyHandle &key) override;
    long queryValue(KeyHandle key, const std::string &name, std::uint32_t &type, std::uint32_t &size,
                    std::string *data) override;
    long createKey(RegRoot root, const std::string &path, KeyHandle &key) override;
    long setValue(KeyHandle key, const std::string &name, const std::string &text) override;
    void closeKey(KeyHandle key) override;

    // <config>/<company>/<application>/program.ini
    QString programIniPath(const QString &company, const QString &application) const;
    // The autostart entry a Run value of this name stands for.
    static QString autostartFileName(const QString &valueName);

private:
    struct Opened {
        enum class Kind { Ini, Autostart } kind = Kind::Ini;
        QString file; // the INI file, or the autostart folder
        QString section;
        std::unique_ptr<IniFile> contents; // as read when opened for reading
    };
    // What a key path stands for; false when it stands for nothing here.
    bool resolve(RegRoot root, const std::string &path, Opened &opened) const;
    KeyHandle add(Opened opened);
    long queryAutostart(const Opened &opened, const std::string &name, std::string &bytes) const;

    DesktopPaths m_paths;
    std::map<KeyHandle, Opened> m_open;
    KeyHandle m_nextHandle = 1;
};

// The Exec= command of an autostart entry's [Desktop Entry] group; nothing when the entry has
// none or is marked Hidden=true.
std::optional<QString> autostartCommand(const QString &desktopFileText);

} // namespace vesperon::settings
