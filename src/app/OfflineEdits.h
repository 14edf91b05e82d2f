#pragma once

#include "editor/WizardRules.h"

#include <QDateTime>
#include <QString>

class QTextStream;

namespace vesperon {

class AppFolder;

// Changes to the schedule files made from the command line, with no window open. They follow
// the wizard's and Delete's rules and write the same bytes; the caller then asks a running copy
// to read the files again. Each returns an exit status (0 done, 1 the files could not be
// changed, 2 refused) and writes one line saying why to err.

// Saves an enabled schedule from entries, as the wizard's Ok would: a name that is empty, not a
// plain file name or already listed (in any case, an administrator's included), and a one-time
// start that has passed are refused.
int addScheduleFile(const WizardEntries &entries, const AppFolder &folder, const QDateTime &now,
                    QTextStream &err);

// Deletes the user's schedule of that name (the exact name, else the one that differs only in
// case). An administrator's schedule is not the user's to delete.
int removeScheduleFile(const QString &name, const AppFolder &folder, const QDateTime &now, QTextStream &err);

} // namespace vesperon
