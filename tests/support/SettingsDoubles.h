#pragma once

// Test doubles of the settings seams: a store in memory and start-up entries with fixed
// answers. Header-only, for the tests that link the settings library.

#include "settings/SettingsStore.h"
#include "settings/StartupEntries.h"

#include <map>
#include <string>
#include <utility>

namespace vesperon::test {

// Values in memory, names compared without regard to ASCII letter case, each keeping the
// spelling it was first written with. Reads and writes fail on demand; reads are counted.
class MemorySettingsStore final : public settings::SettingsStore {
public:
    using Scope = settings::SettingsScope;
    using StoreRead = settings::StoreRead;
    using StoreWrite = settings::StoreWrite;

    struct Value {
        std::string name; // the spelling as first written
        std::string text;
    };

    StoreRead read(Scope scope, const std::string &key) override {
        ++m_reads;
        if (auto &[failure, times] = m_readFailures[scope]; times != 0) {
            times -= times > 0 ? 1 : 0; // below 0: every time
            return failure;
        }
        const Value *value = find(scope, key);
        return value ? StoreRead::found(value->text) : StoreRead::notThere();
    }

    StoreWrite write(Scope scope, const std::string &key, const std::string &text) override {
        if (auto &[failure, times] = m_writeFailures[scope]; times != 0) {
            times -= times > 0 ? 1 : 0;
            return failure;
        }
        put(scope, key, text);
        return {};
    }

    // A value put in place as if written earlier; not counted.
    void put(Scope scope, const std::string &key, const std::string &text) {
        Value &value = m_values[{scope, settings::asciiLower(key)}];
        if (value.name.empty())
            value.name = key;
        value.text = text;
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
    std::size_t count(Scope scope) const {
        std::size_t values = 0;
        for (const auto &[address, value] : m_values)
            values += address.first == scope ? 1 : 0;
        return values;
    }

    // The next `times` reads (or writes) of the scope answer `failure`; times < 0: all of them.
    void failReads(Scope scope, StoreRead failure, int times = -1) {
        m_readFailures[scope] = {failure, times};
    }
    void failWrites(Scope scope, StoreWrite failure, int times = -1) {
        m_writeFailures[scope] = {failure, times};
    }

    int reads() const { return m_reads; }

private:
    std::map<std::pair<Scope, std::string>, Value> m_values; // by scope and lower-case name
    std::map<Scope, std::pair<StoreRead, int>> m_readFailures;
    std::map<Scope, std::pair<StoreWrite, int>> m_writeFailures;
    int m_reads = 0;
};

class FixedStartupEntries final : public settings::StartupEntries {
public:
    bool allUsers = false;
    bool thisUser = false;

    bool isRegisteredForAllUsers() override { return allUsers; }
    bool isRegisteredForThisUser() override { return thisUser; }
};

} // namespace vesperon::test
