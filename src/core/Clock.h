#pragma once

#include <QDateTime>

namespace vesperon {

// The current moment. Everything that asks "what time is it" goes through a Clock,
// so that tests and the command line can run the rules against a set moment.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// The computer's local time.
class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};

// A clock that shows whatever moment it was last set to; it advances only when told.
class SettableClock final : public Clock {
public:
    explicit SettableClock(QDateTime moment = {}) : m_moment(std::move(moment)) {}
    QDateTime now() const override { return m_moment; }
    void set(const QDateTime &moment) { m_moment = moment; }
    void advance(qint64 milliseconds) { m_moment = m_moment.addMSecs(milliseconds); }

private:
    QDateTime m_moment;
};

} // namespace vesperon
