#include "settings/Win32Settings.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace vesperon::settings {

namespace {

HKEY rootOf(SettingsScope scope) {
    return scope == SettingsScope::Program ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// A key opened for reading or writing, closed on leaving the scope.
class OpenKey {
public:
    OpenKey() = default;
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;
    ~OpenKey() {
        if (m_key)
            RegCloseKey(m_key);
    }

    LONG open(HKEY root, const std::string &path) {
        HKEY key = nullptr;
        const LONG result = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
        if (result == ERROR_SUCCESS)
            m_key = key;
        return result;
    }
    LONG create(HKEY root, const std::string &path) {
        HKEY key = nullptr;
        const LONG result = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                            KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (result == ERROR_SUCCESS)
            m_key = key;
        return result;
    }
    HKEY handle() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

struct StringValue {
    enum class Kind { Text, Missing, OtherType };
    Kind kind = Kind::Missing;
    std::string text;
    DWORD type = REG_NONE;
};

// A value read as the registry gives it: first its type and size, then its data.
StringValue readString(HKEY key, const std::string &name) {
    StringValue value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    if (value.type != REG_SZ) {
        value.kind = StringValue::Kind::OtherType;
        return value;
    }
    value.kind = StringValue::Kind::Text;
    if (size == 0)
        return value;
    std::vector<BYTE> buffer(size);
    DWORD read = size;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, buffer.data(), &read) != ERROR_SUCCESS) {
        value.kind = StringValue::Kind::Missing;
        return value;
    }
    value.text.assign(reinterpret_cast<const char *>(buffer.data()), read < size ? read : size);
    // The size counts the terminating NUL; a value stored without one keeps its last character.
    if (!value.text.empty() && value.text.back() == '\0')
        value.text.pop_back();
    return value;
}

StoreWrite writeFailure(LONG result, const char *message) {
    if (result == ERROR_ACCESS_DENIED)
        return StoreWrite::accessDenied();
    return StoreWrite::failed(static_cast<std::uint32_t>(result), message);
}

bool isInRunKey(HKEY root, const std::string &valueName, const std::string &executableName) noexcept {
    try {
        OpenKey opened;
        if (opened.open(root, RunKeyPath) != ERROR_SUCCESS)
            return false;
        const StringValue value = readString(opened.handle(), valueName);
        return value.kind == StringValue::Kind::Text && commandNamesExecutable(value.text, executableName);
    } catch (...) {
        return false;
    }
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore(const std::string &companyName, const std::string &programName)
    : m_programKey("SOFTWARE\\" + trimSpaces(companyName) + '\\' + trimSpaces(programName) + "\\Settings"),
      m_userKey("Software\\VB and VBA Program Settings\\" + programName + "\\Settings") {}

const std::string &RegistrySettingsStore::keyPath(SettingsScope scope) const {
    return scope == SettingsScope::Program ? m_programKey : m_userKey;
}

StoreRead RegistrySettingsStore::read(SettingsScope scope, const std::string &key) {
    OpenKey opened;
    const LONG openResult = opened.open(rootOf(scope), keyPath(scope));
    if (openResult == ERROR_FILE_NOT_FOUND)
        return StoreRead::notThere();
    if (openResult != ERROR_SUCCESS)
        return StoreRead::failed(static_cast<std::uint32_t>(openResult), "Could not open registry section");
    StringValue value = readString(opened.handle(), key);
    switch (value.kind) {
    case StringValue::Kind::Text:
        return StoreRead::found(std::move(value.text));
    case StringValue::Kind::OtherType:
        return StoreRead::failed(value.type, "Registry data not a string");
    case StringValue::Kind::Missing:
        break;
    }
    return StoreRead::notThere();
}

StoreWrite RegistrySettingsStore::write(SettingsScope scope, const std::string &key,
                                        const std::string &text) {
    OpenKey opened;
    if (const LONG result = opened.create(rootOf(scope), keyPath(scope)); result != ERROR_SUCCESS)
        return writeFailure(result, "Could not create registry section");
    const LONG result =
        RegSetValueExA(opened.handle(), key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    if (result != ERROR_SUCCESS)
        return writeFailure(result, "Could not write registry value");
    return {};
}

RunKeyEntries::RunKeyEntries(const std::string &programName, std::string executableName)
    : m_valueName(startupEntryName(programName)), m_executableName(std::move(executableName)) {}

bool RunKeyEntries::isRegisteredForAllUsers() {
    return isInRunKey(HKEY_LOCAL_MACHINE, m_valueName, m_executableName);
}

bool RunKeyEntries::isRegisteredForThisUser() {
    return isInRunKey(HKEY_CURRENT_USER, m_valueName, m_executableName);
}

} // namespace vesperon::settings
