#include "settings/Win32Registry.h"

#include <windows.h>

#include <vector>

namespace vesperon::settings {

namespace {

HKEY rootKey(RegRoot root) {
    return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

HKEY toHkey(KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}

} // namespace

long Win32Registry::openKey(RegRoot root, const std::string &path, KeyHandle &key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(rootKey(root), path.c_str(), 0, KEY_READ, &opened);
    if (result == ERROR_SUCCESS)
        key = reinterpret_cast<KeyHandle>(opened);
    return result;
}

long Win32Registry::queryValue(KeyHandle key, const std::string &name, std::uint32_t &type,
                               std::uint32_t &size, std::string *data) {
    DWORD valueType = REG_NONE;
    DWORD bytes = size;
    if (!data) {
        bytes = 0;
        const LONG result = RegQueryValueExA(toHkey(key), name.c_str(), nullptr, &valueType, nullptr, &bytes);
        type = valueType;
        size = bytes;
        return result;
    }
    std::vector<BYTE> buffer(bytes == 0 ? 1 : bytes);
    const LONG result =
        RegQueryValueExA(toHkey(key), name.c_str(), nullptr, &valueType, buffer.data(), &bytes);
    type = valueType;
    size = bytes;
    if (result == ERROR_SUCCESS)
        data->assign(reinterpret_cast<const char *>(buffer.data()), bytes);
    return result;
}

long Win32Registry::createKey(RegRoot root, const std::string &path, KeyHandle &key) {
    HKEY created = nullptr;
    const LONG result = RegCreateKeyExA(rootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &created, nullptr);
    if (result == ERROR_SUCCESS)
        key = reinterpret_cast<KeyHandle>(created);
    return result;
}

long Win32Registry::setValue(KeyHandle key, const std::string &name, const std::string &text) {
    return RegSetValueExA(toHkey(key), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

void Win32Registry::closeKey(KeyHandle key) {
    RegCloseKey(toHkey(key));
}

} // namespace vesperon::settings
