#pragma once

#include "schedule/DueTime.h"
#include "schedule/ScheduleListModel.h"
#include "schedule/ScheduleRecord.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace vesperon {

// Builds one list row from a schedule file (the row appears even when the file cannot be
// read: then only its name is filled in and it has no next run).
ScheduleRow scheduleRowFromFile(const QString &path, const QDateTime &now,
                                const DateForms &forms = DateForms());

// Empties the list and fills it again from the *.sch files of dataFolder, read in the folder's
// date form and shown in the locale's. A folder that holds schedules but has no record of
// their date form gets the locale's recorded (StoredDateForm.h). Returns false when the data
// folder or one of its schedule files could not be read (those rows are marked unreadable).
// The schedules an administrator deployed to managedFolders (most important first; the first
// of two with one name wins) follow the user's own, each read in its folder's recorded date
// form; a user's schedule with the name of a managed one is kept in the list, hidden by it.
bool loadData(ScheduleListModel &model, const QString &dataFolder, const QDateTime &now,
              const QLocale &locale = QLocale(), const QStringList &managedFolders = {});

// Whether the data folder can be listed (a folder not made yet counts as an empty one).
bool dataFolderReadable(const QString &dataFolder);

// The folder a row's file is in: its managed folder, or the user's dataFolder.
inline QString rowFolder(const ScheduleRow &row, const QString &dataFolder) {
    return row.managed() ? row.managedFolder : dataFolder;
}

// Fills current from a clicked row and, when the row has a file, from the file's SCHEDULER
// section. Returns whether the file exists (the Edit command depends on it); without a
// file the remaining fields keep what they held.
bool fillCurrentSchedule(const ScheduleRow &row, const QString &dataFolder, ScheduleRecord &current);

// Deletes the row's schedule file when it has one and it is the user's own (a managed one is
// left alone). Returns whether a file was deleted.
// The caller reloads the list either way, which also drops a quick-schedule row.
bool deleteScheduleFile(const ScheduleRow &row, const QString &dataFolder);

} // namespace vesperon
