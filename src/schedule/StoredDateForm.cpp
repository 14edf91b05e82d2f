#include "schedule/StoredDateForm.h"

#include "core/SafeFile.h"
#include "core/ShortDate.h"

#include <QDir>

namespace vesperon {

namespace {

QString recordPath(const QString &dataFolder) {
    return QDir(dataFolder).filePath(DateFormFileName);
}

} // namespace

std::optional<QString> recordedDateForm(const QString &dataFolder) {
    const FileRead read = readRegularFile(recordPath(dataFolder), 256, OverLimit::ReadPrefix);
    if (!read)
        return std::nullopt;
    const QString form =
        QString::fromUtf8(read.bytes).section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r'));
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
    return !replaceFile(recordPath(dataFolder), form.toUtf8() + "\r\n");
}

} // namespace vesperon
