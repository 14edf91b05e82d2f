#include "app/OfflineEdits.h"

#include "core/AppFolder.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleList.h"
#include "schedule/StoredDateForm.h"

#include <QDir>
#include <QTextStream>

namespace vesperon {

namespace {

enum EditStatus { Done = 0, Failed = 1, Refused = 2 };

int refuse(QTextStream &err, const QString &why) {
    err << "vesperon: " << why << '\n';
    return Refused;
}

// Every schedule a new name must differ from: the user's and the administrator's.
QList<ScheduleRow> listedSchedules(const AppFolder &folder, const QDateTime &now) {
    ScheduleListModel model;
    loadData(model, folder.dataFolder(), now, QLocale(), folder.managedDataFolders());
    return model.rows();
}

} // namespace

int addScheduleFile(const WizardEntries &entries, const AppFolder &folder, const QDateTime &now,
                    QTextStream &err) {
    if (entries.name.isEmpty())
        return refuse(err, QStringLiteral("a schedule needs a name"));
    if (!isPlainScheduleName(entries.name))
        return refuse(err, QStringLiteral("\"%1\" cannot be a file name").arg(entries.name));
    if (isDuplicateScheduleName(entries.name, listedSchedules(folder, now)))
        return refuse(err, QStringLiteral("a schedule named \"%1\" already exists").arg(entries.name));
    if (startHasPassed(entries, now))
        return refuse(err, QStringLiteral("the start has passed: a one-time schedule would never run"));
    // A user who never opened the program has no data folder yet.
    const QString data = folder.dataFolder();
    QDir().mkpath(data);
    const QString dateForm = folderDateForm(data);
    if (const auto error = WriteScheduleFile(scheduleRecordFromEntries(entries, dateForm), data)) {
        err << "vesperon: " << error->text() << '\n';
        return Failed;
    }
    recordDateForm(data, dateForm); // the folder's first schedule fixes its date form
    return Done;
}

int removeScheduleFile(const QString &name, const AppFolder &folder, const QDateTime &now, QTextStream &err) {
    const QList<ScheduleRow> rows = listedSchedules(folder, now);
    const auto matching = [&rows, &name](Qt::CaseSensitivity cs, bool managed) {
        QList<ScheduleRow> found;
        for (const ScheduleRow &row : rows) {
            if (row.managed() == managed && row.name.compare(name, cs) == 0)
                found << row;
        }
        return found;
    };
    // The exact name first; a name that differs only in case must point at one schedule of the
    // user's and none of the administrator's, or nothing is deleted.
    const bool administrators = !matching(Qt::CaseInsensitive, true).isEmpty();
    QList<ScheduleRow> own = matching(Qt::CaseSensitive, false);
    if (own.isEmpty() && !administrators)
        own = matching(Qt::CaseInsensitive, false);
    if (own.size() == 1) {
        if (!deleteScheduleFile(own.front(), folder.dataFolder())) {
            err << "vesperon: the schedule file of \"" << own.front().name << "\" could not be deleted\n";
            return Failed;
        }
        return Done;
    }
    if (own.size() > 1)
        return refuse(
            err, QStringLiteral("more than one schedule is named \"%1\" in some case: give the exact name")
                     .arg(name));
    if (administrators)
        return refuse(
            err,
            QStringLiteral("\"%1\" was set up by your administrator and cannot be removed here").arg(name));
    return refuse(err, QStringLiteral("there is no schedule named \"%1\"").arg(name));
}

} // namespace vesperon
