#include "schedule/ScheduleList.h"

#include "core/ShortDate.h"
#include "schedule/DueTime.h"
#include "schedule/ScheduleFile.h"
#include "schedule/StoredDateForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vesperon {

namespace {

// The file behind a row, or an empty path for a row that cannot have one (a quick
// schedule's name holds a "/" and must never be read as a path).
QString rowFilePath(const ScheduleRow &row, const QString &dataFolder) {
    if (!row.hasFile || !isPlainScheduleName(row.name))
        return QString();
    return scheduleFilePath(dataFolder, row.name);
}

} // namespace

ScheduleRow scheduleRowFromFile(const QString &path, const QDateTime &now, const DateForms &forms) {
    ScheduleRow row;
    const QString fileName = FileNamePart(path);
    row.name = fileName.left(fileName.size() - 4);
    row.hasFile = true;
    row.enabled = QStringLiteral("No");
    const auto text = readScheduleFile(path);
    if (!text) {
        row.unreadable = true;
        return row;
    }
    row.nextRunTime = NextRunText(ReadSection(*text, QStringLiteral("SCHEDULER")), now, forms);
    const QString data = ReadSection(*text, QStringLiteral("DATA"));
    row.lastRunTime = ReadKeyValue(data, QStringLiteral("LastRunTime"));
    row.type = ReadKeyValue(data, QStringLiteral("ItemType"));
    if (ReadKeyValue(data, QStringLiteral("Enabled")) == QLatin1String("1"))
        row.enabled = QStringLiteral("Yes");
    return row;
}

bool loadData(ScheduleListModel &model, const QString &dataFolder, const QDateTime &now,
              const QLocale &locale) {
    // Hidden files are not schedules; folders named *.sch are not either. A file that cannot
    // be read is listed (and marked), never left out without a word.
    const QDir dir(dataFolder);
    const QStringList names =
        dir.entryList({QStringLiteral("*.sch")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    const std::optional<QString> recorded = recordedDateForm(dataFolder);
    const DateForms forms(recorded.value_or(storedDateForm(locale)), locale);
    if (!recorded && !names.isEmpty())
        recordDateForm(dataFolder, forms.stored);
    QList<ScheduleRow> rows;
    rows.reserve(names.size());
    bool everyFileRead = true;
    for (const QString &name : names) {
        rows.append(scheduleRowFromFile(dir.filePath(name), now, forms));
        everyFileRead = everyFileRead && !rows.constLast().unreadable;
    }
    model.setRows(std::move(rows));
    return dataFolderReadable(dataFolder) && everyFileRead;
}

bool dataFolderReadable(const QString &dataFolder) {
    const QFileInfo folder(dataFolder);
    return !folder.exists() || (folder.isDir() && folder.isReadable());
}

bool fillCurrentSchedule(const ScheduleRow &row, const QString &dataFolder, ScheduleRecord &current) {
    current.Name = row.name;
    current.ItemType = row.type;
    current.LastRunTime = row.lastRunTime;
    current.Enabled = row.enabled == QLatin1String("Yes");

    const QString path = rowFilePath(row, dataFolder);
    if (!FileExists(path))
        return false;
    const QString section =
        ReadSection(readScheduleFile(path).value_or(QString()), QStringLiteral("SCHEDULER"));
    current.StartDate = ReadKeyValue(section, QStringLiteral("StartDate"));
    current.StartTime = ReadKeyValue(section, QStringLiteral("StartTime"));
    current.Period = ReadKeyValue(section, QStringLiteral("Period"));
    current.Repeat = toScheduleBoolean(ReadKeyValue(section, QStringLiteral("Repeat")));
    current.RunOnStart = toScheduleBoolean(ReadKeyValue(section, QStringLiteral("RunOnStart")));
    current.RunOnEnd = toScheduleBoolean(ReadKeyValue(section, QStringLiteral("RunOnEnd")));
    current.SAccurancy = toScheduleInt16(ReadKeyValue(section, QStringLiteral("SAccurancy")));
    return true;
}

bool deleteScheduleFile(const ScheduleRow &row, const QString &dataFolder) {
    const QString path = rowFilePath(row, dataFolder);
    return FileExists(path) && QFile::remove(path);
}

} // namespace vesperon
