#pragma once

// The per-user settings store: text values addressed by application name, section and key.
// It never fails visibly: a value that cannot be read is the caller's default, and a write
// that cannot be made is dropped.

#include <map>
#include <string>

namespace vesperon::settings {

class UserStore {
public:
    virtual ~UserStore() = default;
    virtual std::string GetSetting(const std::string &appName, const std::string &section,
                                   const std::string &key, const std::string &defaultValue) = 0;
    virtual void SaveSetting(const std::string &appName, const std::string &section, const std::string &key,
                             const std::string &setting) = 0;
};

// Test double: values in memory, keys compared without regard to ASCII letter case.
class MemoryUserStore final : public UserStore {
public:
    std::string GetSetting(const std::string &appName, const std::string &section, const std::string &key,
                           const std::string &defaultValue) override;
    void SaveSetting(const std::string &appName, const std::string &section, const std::string &key,
                     const std::string &setting) override;

    // When set, writes are dropped, as when the store's file cannot be written.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    std::size_t size() const { return m_values.size(); }

private:
    static std::string address(const std::string &appName, const std::string &section,
                               const std::string &key);

    std::map<std::string, std::string> m_values;
    bool m_readOnly = false;
};

} // namespace vesperon::settings
