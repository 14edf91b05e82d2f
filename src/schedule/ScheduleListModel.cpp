#include "schedule/ScheduleListModel.h"

namespace vesperon {

ScheduleListModel::ScheduleListModel(QObject *parent)
    : QAbstractTableModel(parent), m_headers{QStringLiteral("Schedule Name"), QStringLiteral("Type"),
                                             QStringLiteral("Last Run Time"), QStringLiteral("Next Run Time"),
                                             QStringLiteral("Enabled")} {}

int ScheduleListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ScheduleListModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScheduleListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ScheduleRow &r = m_rows.at(index.row());
    if ((role == Qt::ToolTipRole || role == Qt::DecorationRole) && index.column() == TypeColumn &&
        !r.unreadable && m_typeNotes.contains(r.type))
        return role == Qt::ToolTipRole ? QVariant(m_typeNotes.value(r.type)) : m_typeMark;
    if (index.column() == EnabledColumn && role == Qt::DecorationRole && r.managed())
        return m_managedNotes.lock;
    if (index.column() == EnabledColumn && role == Qt::ToolTipRole && (r.hidden || r.managed()))
        return r.hidden ? m_managedNotes.hiddenTip : m_managedNotes.managedTip;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return r.name;
    case TypeColumn:
        return r.unreadable ? m_unreadableNote : r.type;
    case LastRunColumn:
        return r.lastRunTime;
    case NextRunColumn:
        return r.nextRunTime;
    case EnabledColumn:
        if (r.hidden)
            return m_managedNotes.hidden;
        return r.managed() ? r.enabled + QLatin1Char(' ') + m_managedNotes.managed : r.enabled;
    default:
        return {};
    }
}

void ScheduleListModel::setTypeNotes(QHash<QString, QString> notes, QVariant mark) {
    if (notes == m_typeNotes)
        return;
    m_typeNotes = std::move(notes);
    m_typeMark = std::move(mark);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, TypeColumn), index(int(m_rows.size()) - 1, TypeColumn),
                         {Qt::ToolTipRole, Qt::DecorationRole});
}

void ScheduleListModel::setManagedNotes(ManagedNotes notes) {
    m_managedNotes = std::move(notes);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, EnabledColumn), index(int(m_rows.size()) - 1, EnabledColumn));
}

QVariant ScheduleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_headers[section];
}

bool ScheduleListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                                      int role) {
    if (orientation != Qt::Horizontal || (role != Qt::EditRole && role != Qt::DisplayRole) || section < 0 ||
        section >= ColumnCount)
        return false;
    m_headers[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

void ScheduleListModel::setRows(QList<ScheduleRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ScheduleListModel::appendRow(const ScheduleRow &row) {
    const int at = static_cast<int>(m_rows.size());
    beginInsertRows(QModelIndex(), at, at);
    m_rows.append(row);
    endInsertRows();
}

void ScheduleListModel::setNextRunTime(int index, const QString &text) {
    if (index < 0 || index >= m_rows.size())
        return;
    m_rows[index].nextRunTime = text;
    const QModelIndex cell = this->index(index, NextRunColumn);
    emit dataChanged(cell, cell);
}

int ScheduleListModel::FindScheduleRow(const QString &name) const {
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).name == name && !m_rows.at(i).hidden)
            return i + 1;
    }
    return 0;
}

} // namespace vesperon
