#include "schedule/StoredDateForm.h"

#include "core/ShortDate.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace vesperon {

namespace {

QString recordPath(const QString &dataFolder) {
    return QDir(dataFolder).filePath(DateFormFileName);
}

} // namespace

std::optional<QString> recordedDateForm(const QString &dataFolder) {
    QFile file(recordPath(dataFolder));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString form =
        QString::fromUtf8(file.read(256)).section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r'));
    if (!isUsableDateForm(form))
        return std::nullopt;
    return form;
}

QString folderDateForm(const QString &dataFolder, const QLocale &locale) {
    return recordedDateForm(dataFolder).value_or(storedDateForm(locale));
}

bool recordDateForm(const QString &dataFolder, const QString &form) {
    if (recordedDateForm(dataFolder))
        return true;
    if (!isUsableDateForm(form))
        return false;
    QSaveFile file(recordPath(dataFolder));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(form.toUtf8() + "\r\n");
    return file.commit();
}

} // namespace vesperon
