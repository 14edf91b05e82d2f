#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace vesperon {

// The schedule files of one data folder all keep StartDate in one stored date form: the form of
// the locale in force when the folder first held a schedule (a load that finds schedules, or the
// first save). It is recorded beside them in DateForm.txt, one line, and never replaced: when the
// desktop's locale changes later, the files are still read, and new ones written, in the
// recorded form, so no schedule ever moves to another day. Only what the list shows follows
// the new locale. A folder with no usable record is read in the locale's form.
inline const QString DateFormFileName = QStringLiteral("DateForm.txt");

// The form recorded for the folder; nullopt when there is none or it cannot be used.
std::optional<QString> recordedDateForm(const QString &dataFolder);

// The form the folder's schedule files are in: the recorded one, else the locale's.
QString folderDateForm(const QString &dataFolder, const QLocale &locale = QLocale());

// Records form for a folder that has no usable record yet; a usable record is kept as it is.
// Returns whether the folder has a record afterwards (a folder that cannot be written has none).
bool recordDateForm(const QString &dataFolder, const QString &form);

} // namespace vesperon
