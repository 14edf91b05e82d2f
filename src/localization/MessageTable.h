#pragma once

#include <QString>
#include <array>

namespace vesperon {

// One row of the message table.
struct MessageEntry {
    QString strName;
    QString strMessage;
    bool blnUsed = false;
};

// The fixed table of messages by key: rows are filled from the first upward and never
// emptied. A key registered twice takes two rows; lookups find the first.
class MessageTable {
public:
    static constexpr int Rows = 201;

    // Fills the first free row; does nothing when every row is in use.
    void setMessage(const QString &strName, const QString &strMessage);

    // Row of the first key equal to strName ignoring case; -1 when none.
    int find(const QString &strName) const;

    int usedRows() const { return m_used; }
    const MessageEntry &row(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }
    void setText(int index, const QString &text) {
        m_rows.at(static_cast<std::size_t>(index)).strMessage = text;
    }

private:
    std::array<MessageEntry, Rows> m_rows;
    int m_used = 0;
};

} // namespace vesperon
