#pragma once

// The settings stores off Windows: two INI files in <config>/<company>/<program>/, program.ini
// for the program scope and user.ini for this user, every value in section "Settings". Names
// compare without regard to letter case (see IniFile). Each read loads the file afresh and
// each write replaces it in one step. A file that exists but cannot be read fails a read; a
// file or folder that cannot be written (or read before the write) fails a write with access
// denied.

#include "settings/SettingsStore.h"

#include <QString>

namespace vesperon::settings {

class IniSettingsStore final : public SettingsStore {
public:
    IniSettingsStore(const QString &configDir, const QString &companyName, const QString &programName);

    StoreRead read(SettingsScope scope, const std::string &key) override;
    StoreWrite write(SettingsScope scope, const std::string &key, const std::string &text) override;

    QString filePath(SettingsScope scope) const;

private:
    QString m_folder;
};

} // namespace vesperon::settings
