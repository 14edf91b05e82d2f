#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>

namespace vesperon {

// One row of the schedule list. Rows loaded from data/ have a file; quick schedules do not.
struct ScheduleRow {
    QString name;
    QString type;
    QString lastRunTime;
    QString nextRunTime;
    QString enabled; // "Yes" or "No"
    bool hasFile = false;
    bool unreadable = false; // its file is there but could not be read
    // The administrator's folder the file was deployed to; empty for the user's own schedules.
    // Such a row fires like the others but cannot be edited or deleted here.
    QString managedFolder{};
    bool hidden = false; // the user's own, under the name of a managed one: it never fires

    bool managed() const { return !managedFolder.isEmpty(); }

    bool operator==(const ScheduleRow &) const = default;
};

// The schedule list: the schedule files as they were at the last load, plus quick-schedule
// rows added since. Windows only show it; the scheduler cycle reads and clears next runs.
class ScheduleListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, TypeColumn, LastRunColumn, NextRunColumn, EnabledColumn, ColumnCount };

    explicit ScheduleListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;

    const QList<ScheduleRow> &rows() const { return m_rows; }
    const ScheduleRow &row(int index) const { return m_rows.at(index); }
    void setRows(QList<ScheduleRow> rows);
    void appendRow(const ScheduleRow &row);
    void setNextRunTime(int index, const QString &text);

    // 1-based position of the first row whose name equals name exactly and that can fire (a
    // row hidden by a managed schedule cannot); 0 when none.
    int FindScheduleRow(const QString &name) const;

    // What the Type column of a row whose file cannot be read says, in the user's language.
    void setUnreadableNote(const QString &note) { m_unreadableNote = note; }
    // What the Enabled column adds for a managed row (with lock as its picture) and shows for a
    // row hidden by one, each with a tooltip that explains it.
    struct ManagedNotes {
        QString managed, managedTip, hidden, hiddenTip;
        QVariant lock;
    };
    void setManagedNotes(ManagedNotes notes);
    // Why some action types cannot run unattended here, by type: their Type cells carry mark as
    // their picture and the note as their tooltip.
    void setTypeNotes(QHash<QString, QString> notes, QVariant mark);

private:
    QList<ScheduleRow> m_rows;
    QString m_unreadableNote = QStringLiteral("(cannot be read)");
    ManagedNotes m_managedNotes{
        QStringLiteral("(managed)"), {}, QStringLiteral("(hidden by a managed schedule)"), {}, {}};
    QHash<QString, QString> m_typeNotes;
    QVariant m_typeMark;
    QString m_headers[ColumnCount];
};

} // namespace vesperon
