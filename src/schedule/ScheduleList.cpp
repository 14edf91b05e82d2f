#include "schedule/ScheduleList.h"

#include "core/ShortDate.h"
#include "schedule/DueTime.h"
#include "schedule/ScheduleFile.h"
#include "schedule/StoredDateForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vesperon {

namespace {

// The file behind a row, or an empty path for a row that cannot have one (a quick
// schedule's name holds a "/" and must never be read as a path).
QString rowFilePath(const ScheduleRow &row, const QString &dataFolder) {
    if (!row.hasFile || !isPlainScheduleName(row.name))
        return QString();
    return scheduleFilePath(rowFolder(row, dataFolder), row.name);
}

// The rows of one folder's schedule files; everyFileRead is cleared when one cannot be read.
QList<ScheduleRow> rowsOfFolder(const QString &folder, const DateForms &forms, const QDateTime &now,
                                bool &everyFileRead) {
    // Hidden files are not schedules; folders named *.sch are not either. A file that cannot
    // be read is listed (and marked), never left out without a word.
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*.sch")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    QList<ScheduleRow> rows;
    rows.reserve(names.size());
    for (const QString &name : names) {
        rows.append(scheduleRowFromFile(dir.filePath(name), now, forms));
        everyFileRead = everyFileRead && !rows.constLast().unreadable;
    }
    return rows;
}

bool sameName(const ScheduleRow &a, const ScheduleRow &b) {
    return a.name.compare(b.name, Qt::CaseInsensitive) == 0;
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
              const QLocale &locale, const QStringList &managedFolders) {
    const std::optional<QString> recorded = recordedDateForm(dataFolder);
    const DateForms forms(recorded.value_or(storedDateForm(locale)), locale);
    bool everyFileRead = dataFolderReadable(dataFolder);
    QList<ScheduleRow> rows = rowsOfFolder(dataFolder, forms, now, everyFileRead);
    if (!recorded && !rows.isEmpty())
        recordDateForm(dataFolder, forms.stored);

    // An administrator's folder is read as it is and never written to.
    QList<ScheduleRow> managed;
    const QString ownPath = QFileInfo(dataFolder).canonicalFilePath();
    for (const QString &folder : managedFolders) {
        // A folder that is the user's own (a portable copy kept there) is read once, as the user's.
        if (!ownPath.isEmpty() && QFileInfo(folder).canonicalFilePath() == ownPath)
            continue;
        everyFileRead = everyFileRead && dataFolderReadable(folder);
        const DateForms folderForms(folderDateForm(folder, locale), locale);
        for (ScheduleRow &row : rowsOfFolder(folder, folderForms, now, everyFileRead)) {
            const auto taken = [&row](const ScheduleRow &other) { return sameName(row, other); };
            if (std::any_of(managed.cbegin(), managed.cend(), taken))
                continue;
            row.managedFolder = folder;
            managed.append(row);
        }
    }
    for (ScheduleRow &own : rows) {
        const auto hides = [&own](const ScheduleRow &other) { return sameName(own, other); };
        if (std::any_of(managed.cbegin(), managed.cend(), hides)) {
            own.hidden = true;
            own.nextRunTime.clear();
        }
    }
    rows.append(managed);
    model.setRows(std::move(rows));
    return everyFileRead;
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
    const QString path = row.managed() ? QString() : rowFilePath(row, dataFolder);
    return FileExists(path) && QFile::remove(path);
}

} // namespace vesperon
