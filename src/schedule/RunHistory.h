#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace vesperon {

// One line of history.log: what became of one run of an action.
struct HistoryEntry {
    enum class Outcome { Fired, Refused, Skipped, Postponed, MissedAsleep, MissedPrevented };
    QDateTime when; // when it happened (for a missed run: when it was found missed)
    Outcome outcome = Outcome::Fired;
    QString action;   // the row's type, "Shut Down"
    QString schedule; // the schedule's name; empty for an action started with "Now"
    QString detail;   // the run's own moment, the new moment, or the system's reason

    bool operator==(const HistoryEntry &) const = default;
};

// The word a line of the file uses for an outcome: "fired", "missed (asleep)", ...
QString outcomeWord(HistoryEntry::Outcome outcome);

// A line of the file, without its line break: ISO time, outcome, action, schedule and detail,
// separated by TABs (a TAB or line break inside a field becomes a space).
QString historyLine(const HistoryEntry &entry);
std::optional<HistoryEntry> parseHistoryLine(const QString &line);

// history.log in the application folder. Each entry is appended as one line in one write,
// after a line break of its own when the file's last line was cut short, so an earlier line is
// never changed. When the file would grow past MaxBytes it becomes history.log.1 (replacing
// an older one) and a new file starts: the history keeps between one and two megabytes.
class RunHistory {
public:
    static constexpr qint64 MaxBytes = 1024 * 1024;

    explicit RunHistory(QString filePath) : m_path(std::move(filePath)) {}

    const QString &filePath() const { return m_path; }
    QString olderFilePath() const { return m_path + QStringLiteral(".1"); }

    // False when the line could not be written (the folder is read-only, the disk full).
    bool record(const HistoryEntry &entry) const;
    // Every line of both files, oldest first.
    QStringList lines() const;
    // The lines that read as entries, oldest first.
    QList<HistoryEntry> entries() const;

private:
    QString m_path;
};

} // namespace vesperon
