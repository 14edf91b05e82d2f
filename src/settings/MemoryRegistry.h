#pragma once

// Test double for the Registry seam: keys and typed values in memory, names compared without
// regard to letter case (each keeps the spelling it was created with), failures on demand,
// and a count of every call and of the keys left open.

#include "settings/Registry.h"

#include <map>
#include <string>

namespace vesperon::settings {

class MemoryRegistry final : public Registry {
public:
    enum class Op { Open, Query, Create, Set };

    struct Value {
        std::string name; // spelling as stored
        std::uint32_t type = RegSz;
        std::string data; // raw bytes, a string's with its NUL
    };

    long openKey(RegRoot root, const std::string &path, KeyHandle &key) override;
    long queryValue(KeyHandle key, const std::string &name, std::uint32_t &type, std::uint32_t &size,
                    std::string *data) override;
    long createKey(RegRoot root, const std::string &path, KeyHandle &key) override;
    long setValue(KeyHandle key, const std::string &name, const std::string &text) override;
    void closeKey(KeyHandle key) override;

    // Puts a value of any type in place, creating the key; raw bytes as the registry holds them.
    void putRaw(RegRoot root, const std::string &path, const std::string &name, std::uint32_t type,
                const std::string &bytes);
    // A string value, stored with its NUL.
    void putString(RegRoot root, const std::string &path, const std::string &name, const std::string &text);
    void createEmptyKey(RegRoot root, const std::string &path);
    // The stored value, or nullptr.
    const Value *find(RegRoot root, const std::string &path, const std::string &name) const;
    std::size_t valueCount(RegRoot root, const std::string &path) const;

    // After `after` more successful calls, the next `times` calls of the operation fail with
    // `code` (times < 0: every call from then on).
    void failOn(Op op, long code, int times = -1, int after = 0);
    int calls(Op op) const;
    int openKeys() const { return static_cast<int>(m_handles.size()); }

private:
    struct Key {
        std::map<std::string, Value> values; // by lower-case name
    };
    struct Failure {
        long code = RegOk;
        int times = 0;
        int after = 0;
    };

    static std::string keyId(RegRoot root, const std::string &path);
    long injected(Op op);
    Key *keyOf(KeyHandle handle);

    std::map<std::string, Key> m_keys; // by root + lower-case path
    std::map<KeyHandle, std::string> m_handles;
    std::map<Op, Failure> m_failures;
    std::map<Op, int> m_calls;
    KeyHandle m_nextHandle = 1;
};

} // namespace vesperon::settings
