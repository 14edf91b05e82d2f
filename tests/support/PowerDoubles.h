#pragma once

// A power back end that records every request ("powerOff", "setSleepBlocked(true)") and
// answers as it is told.

#include "power/PowerBackend.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vesperon::test {

class RecordingPowerBackend final : public PowerBackend {
public:
    std::vector<std::string> calls;
    PowerResult result;                // what every action and sleep block answers
    bool hibernationAvailable = false; // what canHibernate answers
    bool answerLater = false;          // queryCanHibernate waits for answerCanHibernate()

    PowerResult powerOff() override { return record("powerOff"); }
    PowerResult reboot() override { return record("reboot"); }
    PowerResult logOff() override { return record("logOff"); }
    PowerResult suspend() override { return record("suspend"); }
    PowerResult hibernate() override { return record("hibernate"); }
    PowerResult setSleepBlocked(bool on) override {
        return record(on ? "setSleepBlocked(true)" : "setSleepBlocked(false)");
    }
    bool canHibernate() override { return hibernationAvailable; }
    void queryCanHibernate(std::function<void(bool)> answer) override {
        if (answerLater)
            m_questions.push_back(std::move(answer));
        else
            answer(hibernationAvailable);
    }
    void setWindowHandle(std::uintptr_t) override {}

    // Answers the questions that wait, with hibernationAvailable.
    void answerCanHibernate() {
        for (auto &answer : std::exchange(m_questions, {}))
            answer(hibernationAvailable);
    }

private:
    PowerResult record(const char *call) {
        calls.emplace_back(call);
        return result;
    }

    std::vector<std::function<void(bool)>> m_questions;
};

} // namespace vesperon::test
