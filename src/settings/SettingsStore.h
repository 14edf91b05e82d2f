#pragma once

// The seam under both settings stores: text values by scope and key. Plain C++ with no Qt, so
// that the Windows back end and the program store above it build with mingw-w64 alone. Texts
// are bytes in the system's ANSI code page on Windows, UTF-8 elsewhere.
//
// A back end knows where each scope keeps the program's one settings section. Key names
// compare without regard to letter case: a write under another spelling replaces the value.
// Nothing is cached; every read and write reaches the back end's storage.

#include <cstdint>
#include <string>
#include <utility>

namespace vesperon::settings {

enum class SettingsScope {
    Program, // machine-wide
    ThisUser // the current user's
};

// A failure in the back end's own terms: its error code and a message.
struct StoreFailure {
    std::uint32_t code = 0;
    std::string message;
};

struct StoreRead {
    enum class Outcome { Found, NotThere, Failed };
    Outcome outcome = Outcome::NotThere;
    std::string value;    // when found ("" for an empty value)
    StoreFailure failure; // when failed

    static StoreRead found(std::string value) { return {Outcome::Found, std::move(value), {}}; }
    static StoreRead notThere() { return {}; }
    static StoreRead failed(std::uint32_t code, std::string message) {
        return {Outcome::Failed, {}, {code, std::move(message)}};
    }
};

struct StoreWrite {
    enum class Outcome { Ok, AccessDenied, Failed };
    Outcome outcome = Outcome::Ok;
    StoreFailure failure; // when failed for another reason than access

    bool ok() const { return outcome == Outcome::Ok; }
    static StoreWrite accessDenied() { return {Outcome::AccessDenied, {}}; }
    static StoreWrite failed(std::uint32_t code, std::string message) {
        return {Outcome::Failed, {code, std::move(message)}};
    }
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The value under the key: found, not there (the caller's default applies), or a failure.
    virtual StoreRead read(SettingsScope scope, const std::string &key) = 0;
    // Writes the value, creating whatever holds the scope's section as needed.
    virtual StoreWrite write(SettingsScope scope, const std::string &key, const std::string &text) = 0;
};

// Leading and trailing spaces removed (spaces only, not other white space).
std::string trimSpaces(const std::string &text);

// ASCII letters folded to lower case; other bytes unchanged.
std::string asciiLower(std::string text);

} // namespace vesperon::settings
