#pragma once

// Test doubles of the settings seams: a store in memory and start-up entries with fixed
// answers. Header-only, for the tests that link the settings library.

#include "settings/SettingsStore.h"
#include "settings/StartupEntries.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace vesperon::test {

// Values in memory, names compared without regard to ASCII letter case. Reads and writes fail
// on demand.
class MemorySettingsStore final : public settings::SettingsStore {
public:
    using Scope = settings::SettingsScope;

    struct Value {
        std::string text;
    };

    settings::StoreRead read(Scope scope, const std::string &key) override {
        if (readFailure)
            return *readFailure;
        const Value *value = find(scope, key);
        return value ? settings::StoreRead::found(value->text) : settings::StoreRead::notThere();
    }

    settings::StoreWrite write(Scope scope, const std::string &key, const std::string &text) override {
        if (auto &[failure, times] = m_writeFailures[scope]; times != 0) {
            times -= times > 0 ? 1 : 0; // below 0: every time
            return failure;
        }
        put(scope, key, text);
        return {};
    }

    // A value put in place as if written earlier.
    void put(Scope scope, const std::string &key, const std::string &text) {
        m_values[{scope, settings::asciiLower(key)}].text = text;
    }
    const Value *find(Scope scope, const std::string &key) const {
        const auto found = m_values.find({scope, settings::asciiLower(key)});
        return found == m_values.end() ? nullptr : &found->second;
    }
    // The text under a name, or "<none>".
    std::string text(Scope scope, const std::string &key) const {
        const Value *value = find(scope, key);
        return value ? value->text : "<none>";
    }

    // When set, every read answers this.
    std::optional<settings::StoreRead> readFailure;
    // The next `times` writes of the scope answer `failure`; times < 0: all of them.
    void failWrites(Scope scope, settings::StoreWrite failure, int times = -1) {
        m_writeFailures[scope] = {failure, times};
    }

private:
    std::map<std::pair<Scope, std::string>, Value> m_values; // by scope and lower-case name
    std::map<Scope, std::pair<settings::StoreWrite, int>> m_writeFailures;
};

class FixedStartupEntries final : public settings::StartupEntries {
public:
    bool allUsers = false;
    bool thisUser = false;

    bool isRegisteredForAllUsers() override { return allUsers; }
    bool isRegisteredForThisUser() override { return thisUser; }
};

} // namespace vesperon::test
