#include "settings/MemoryRegistry.h"

namespace vesperon::settings {

std::string MemoryRegistry::keyId(RegRoot root, const std::string &path) {
    std::string normal = asciiLower(path);
    while (!normal.empty() && normal.back() == '\\')
        normal.pop_back();
    return (root == RegRoot::LocalMachine ? "hklm\\" : "hkcu\\") + normal;
}

long MemoryRegistry::injected(Op op) {
    ++m_calls[op];
    auto found = m_failures.find(op);
    if (found == m_failures.end() || found->second.times == 0)
        return RegOk;
    if (found->second.after > 0) {
        --found->second.after;
        return RegOk;
    }
    if (found->second.times > 0)
        --found->second.times;
    return found->second.code;
}

MemoryRegistry::Key *MemoryRegistry::keyOf(KeyHandle handle) {
    const auto open = m_handles.find(handle);
    if (open == m_handles.end())
        return nullptr;
    const auto key = m_keys.find(open->second);
    return key == m_keys.end() ? nullptr : &key->second;
}

long MemoryRegistry::openKey(RegRoot root, const std::string &path, KeyHandle &key) {
    if (const long failure = injected(Op::Open))
        return failure;
    const std::string id = keyId(root, path);
    if (!m_keys.contains(id))
        return RegFileNotFound;
    key = m_nextHandle++;
    m_handles[key] = id;
    return RegOk;
}

long MemoryRegistry::queryValue(KeyHandle key, const std::string &name, std::uint32_t &type,
                                std::uint32_t &size, std::string *data) {
    if (const long failure = injected(Op::Query))
        return failure;
    Key *opened = keyOf(key);
    if (!opened)
        return 6; // invalid handle
    const auto found = opened->values.find(asciiLower(name));
    if (found == opened->values.end())
        return RegFileNotFound;
    const Value &value = found->second;
    type = value.type;
    const auto stored = static_cast<std::uint32_t>(value.data.size());
    if (data) {
        if (size < stored) {
            size = stored;
            return RegMoreData;
        }
        *data = value.data;
    }
    size = stored;
    return RegOk;
}

long MemoryRegistry::createKey(RegRoot root, const std::string &path, KeyHandle &key) {
    if (const long failure = injected(Op::Create))
        return failure;
    const std::string id = keyId(root, path);
    m_keys[id];
    key = m_nextHandle++;
    m_handles[key] = id;
    return RegOk;
}

long MemoryRegistry::setValue(KeyHandle key, const std::string &name, const std::string &text) {
    if (const long failure = injected(Op::Set))
        return failure;
    Key *opened = keyOf(key);
    if (!opened)
        return 6;
    Value &value = opened->values[asciiLower(name)];
    if (value.name.empty())
        value.name = name;
    value.type = RegSz;
    value.data = text + '\0';
    return RegOk;
}

void MemoryRegistry::closeKey(KeyHandle key) {
    m_handles.erase(key);
}

void MemoryRegistry::putRaw(RegRoot root, const std::string &path, const std::string &name,
                            std::uint32_t type, const std::string &bytes) {
    Value &value = m_keys[keyId(root, path)].values[asciiLower(name)];
    value = {name, type, bytes};
}

void MemoryRegistry::putString(RegRoot root, const std::string &path, const std::string &name,
                               const std::string &text) {
    putRaw(root, path, name, RegSz, text + '\0');
}

void MemoryRegistry::createEmptyKey(RegRoot root, const std::string &path) {
    m_keys[keyId(root, path)];
}

const MemoryRegistry::Value *MemoryRegistry::find(RegRoot root, const std::string &path,
                                                  const std::string &name) const {
    const auto key = m_keys.find(keyId(root, path));
    if (key == m_keys.end())
        return nullptr;
    const auto value = key->second.values.find(asciiLower(name));
    return value == key->second.values.end() ? nullptr : &value->second;
}

std::size_t MemoryRegistry::valueCount(RegRoot root, const std::string &path) const {
    const auto key = m_keys.find(keyId(root, path));
    return key == m_keys.end() ? 0 : key->second.values.size();
}

void MemoryRegistry::failOn(Op op, long code, int times, int after) {
    m_failures[op] = {code, times, after};
}

int MemoryRegistry::calls(Op op) const {
    const auto found = m_calls.find(op);
    return found == m_calls.end() ? 0 : found->second;
}

} // namespace vesperon::settings
