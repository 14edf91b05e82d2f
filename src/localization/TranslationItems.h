#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace vesperon {

// The item lines of one language with an index of the keys they carry, so that a lookup
// costs the same however many lines the group has (a window looks up every control and
// every message). find gives exactly the answer of FindItemText over the same lines.
class TranslationItems {
public:
    TranslationItems() = default;
    explicit TranslationItems(QStringList lines);

    const QStringList &lines() const { return m_lines; }
    qsizetype size() const { return m_lines.size(); }

    // The text of the first line whose key equals key ignoring case; empty when none.
    QString find(const QString &key) const;

private:
    QStringList m_lines;
    QHash<QString, qsizetype> m_firstLine; // folded key -> first line carrying it
};

} // namespace vesperon
