#include "schedule/RunHistory.h"

#include "core/SafeFile.h"

#include <QFile>
#include <QFileInfo>

namespace vesperon {

namespace {

constexpr const char *Words[] = {"fired",     "refused",         "skipped",
                                 "postponed", "missed (asleep)", "missed (prevented)"};

QString field(QString text) {
    for (QChar &c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return text;
}

QStringList fileLines(const QString &path) {
    const FileRead read = readRegularFile(path, 2 * RunHistory::MaxBytes, OverLimit::ReadPrefix);
    if (!read)
        return {};
    return QString::fromUtf8(read.bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

QString outcomeWord(HistoryEntry::Outcome outcome) {
    return QLatin1String(Words[static_cast<int>(outcome)]);
}

QString historyLine(const HistoryEntry &entry) {
    return QStringList{entry.when.toString(Qt::ISODate), outcomeWord(entry.outcome), field(entry.action),
                       field(entry.schedule), field(entry.detail)}
        .join(QLatin1Char('\t'));
}

std::optional<HistoryEntry> parseHistoryLine(const QString &line) {
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() != 5)
        return std::nullopt;
    HistoryEntry entry;
    entry.when = QDateTime::fromString(fields.at(0), Qt::ISODate);
    int outcome = 0;
    while (outcome < int(std::size(Words)) && fields.at(1) != QLatin1String(Words[outcome]))
        ++outcome;
    if (!entry.when.isValid() || outcome == int(std::size(Words)))
        return std::nullopt;
    entry.outcome = static_cast<HistoryEntry::Outcome>(outcome);
    entry.action = fields.at(2);
    entry.schedule = fields.at(3);
    entry.detail = fields.at(4);
    return entry;
}

bool RunHistory::record(const HistoryEntry &entry) const {
    QByteArray bytes = historyLine(entry).toUtf8() + '\n';
    const QFileInfo current(m_path);
    if (current.exists() && current.size() + bytes.size() > MaxBytes) {
        QFile::remove(olderFilePath());
        QFile::rename(m_path, olderFilePath());
    }
    // A line cut short (the disk filled, the computer lost power) keeps its own line.
    QFile last(m_path);
    if (last.open(QIODevice::ReadOnly) && last.size() > 0 && last.seek(last.size() - 1) &&
        last.read(1) != "\n")
        bytes.prepend('\n');
    last.close();
    QFile file(m_path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size() &&
           file.flush();
}

QStringList RunHistory::lines() const {
    return fileLines(olderFilePath()) + fileLines(m_path);
}

QList<HistoryEntry> RunHistory::entries() const {
    QList<HistoryEntry> result;
    for (const QString &line : lines()) {
        if (auto entry = parseHistoryLine(line))
            result << *entry;
    }
    return result;
}

} // namespace vesperon
