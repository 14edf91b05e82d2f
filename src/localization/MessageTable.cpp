#include "localization/MessageTable.h"

namespace vesperon {

void MessageTable::setMessage(const QString &strName, const QString &strMessage) {
    if (m_used >= Rows)
        return;
    MessageEntry &entry = m_rows.at(static_cast<std::size_t>(m_used));
    entry.strName = strName;
    entry.strMessage = strMessage;
    entry.blnUsed = true;
    ++m_used;
}

int MessageTable::find(const QString &strName) const {
    for (int i = 0; i < m_used; ++i) {
        if (m_rows.at(static_cast<std::size_t>(i)).strName.compare(strName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace vesperon
