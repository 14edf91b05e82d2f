#pragma once

// The registry-like seam under both settings stores and the run-at-start-up queries.
// Plain C++ with no Qt, so that the Windows back end and the algorithms above it build with
// mingw-w64 alone. Texts are bytes in the system's ANSI code page on Windows, UTF-8 elsewhere.

#include <cstdint>
#include <string>

namespace vesperon::settings {

enum class RegRoot { LocalMachine, CurrentUser };

// Value types, with the registry's own codes.
inline constexpr std::uint32_t RegNone = 0;
inline constexpr std::uint32_t RegSz = 1;
inline constexpr std::uint32_t RegExpandSz = 2;
inline constexpr std::uint32_t RegBinary = 3;
inline constexpr std::uint32_t RegDword = 4;

// Result codes, with the system's own numbers.
inline constexpr long RegOk = 0;
inline constexpr long RegFileNotFound = 2;
inline constexpr long RegAccessDenied = 5;
inline constexpr long RegMoreData = 234;

using KeyHandle = std::uintptr_t;

class Registry {
public:
    virtual ~Registry() = default;

    // Opens an existing key for reading. RegFileNotFound when the key does not exist.
    virtual long openKey(RegRoot root, const std::string &path, KeyHandle &key) = 0;

    // Reports a value's type and data size in bytes (a string's size counts its NUL).
    // With data given, also reads the value: at most `size` bytes on entry; on return `size`
    // holds the number of bytes read, or the size needed together with RegMoreData.
    virtual long queryValue(KeyHandle key, const std::string &name, std::uint32_t &type, std::uint32_t &size,
                            std::string *data) = 0;

    // Opens a key for writing, creating it and any missing parents.
    virtual long createKey(RegRoot root, const std::string &path, KeyHandle &key) = 0;

    // Writes a string value (REG_SZ, stored with its terminating NUL).
    virtual long setValue(KeyHandle key, const std::string &name, const std::string &text) = 0;

    virtual void closeKey(KeyHandle key) = 0;
};

// Opens a key and closes it again on leaving the scope.
class OpenKey {
public:
    explicit OpenKey(Registry &registry) : m_registry(registry) {}
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;
    ~OpenKey() { close(); }

    long open(RegRoot root, const std::string &path) { return take(m_registry.openKey(root, path, m_key)); }
    long create(RegRoot root, const std::string &path) {
        return take(m_registry.createKey(root, path, m_key));
    }
    KeyHandle handle() const { return m_key; }
    void close() {
        if (m_open)
            m_registry.closeKey(m_key);
        m_open = false;
    }

private:
    long take(long result) {
        m_open = result == RegOk;
        return result;
    }

    Registry &m_registry;
    KeyHandle m_key = 0;
    bool m_open = false;
};

// Leading and trailing spaces removed (spaces only, not other white space).
std::string trimSpaces(const std::string &text);

// ASCII letters folded to lower case; other bytes unchanged.
std::string asciiLower(std::string text);

} // namespace vesperon::settings
