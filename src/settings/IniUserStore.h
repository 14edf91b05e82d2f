#pragma once

// The per-user store off Windows: <config>/<company>/<application>/user.ini, one INI section
// per settings section, names compared without regard to case. Never fails visibly.

#include "settings/UserStore.h"

#include <QString>

namespace vesperon::settings {

class IniUserStore final : public UserStore {
public:
    IniUserStore(QString configDir, QString companyName)
        : m_configDir(std::move(configDir)), m_companyName(std::move(companyName)) {}

    std::string GetSetting(const std::string &appName, const std::string &section, const std::string &key,
                           const std::string &defaultValue) override;
    void SaveSetting(const std::string &appName, const std::string &section, const std::string &key,
                     const std::string &setting) override;

    QString filePath(const QString &appName) const;

private:
    QString m_configDir;
    QString m_companyName;
};

} // namespace vesperon::settings
