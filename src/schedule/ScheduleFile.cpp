#include "schedule/ScheduleFile.h"

#include "core/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cmath>

namespace vesperon {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Schedule files are single-byte text in the ANSI code page on Windows; elsewhere UTF-8.
QStringConverter::Encoding scheduleFileEncoding() {
#ifdef Q_OS_WIN
    return QStringConverter::System;
#else
    return QStringConverter::Utf8;
#endif
}

QString booleanNumber(bool value) {
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}

// Error numbers and texts as the user has always seen them.
FileError badFileName() {
    return {52, QStringLiteral("Bad file name or number")};
}
FileError accessError() {
    return {75, QStringLiteral("Path/File access error")};
}
FileError pathNotFound() {
    return {76, QStringLiteral("Path not found")};
}
FileError diskFull() {
    return {61, QStringLiteral("Disk full")};
}
FileError deviceError() {
    return {57, QStringLiteral("Device I/O error")};
}

FileError writeError(WriteFailure failure) {
    switch (failure) {
    case WriteFailure::DiskFull:
        return diskFull();
    case WriteFailure::DeviceError:
        return deviceError();
    case WriteFailure::CannotCreate:
    case WriteFailure::CannotReplace:
        break;
    }
    return accessError();
}

// A number as a hand-edited file may hold it; "nan" and "inf" are not numbers here.
std::optional<double> readNumber(const QString &text) {
    bool isNumber = false;
    const double number = text.trimmed().toDouble(&isNumber);
    if (!isNumber || !std::isfinite(number))
        return std::nullopt;
    return number;
}

bool isWindowsDeviceName(const QString &name) {
    // CON, PRN, AUX, NUL, COM1..9 and LPT1..9 are devices on Windows, with any extension.
    const QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList devices{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                     QStringLiteral("NUL")};
    if (devices.contains(stem))
        return true;
    return stem.size() == 4 &&
           (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT"))) &&
           stem.at(3) >= QLatin1Char('1') && stem.at(3) <= QLatin1Char('9');
}

} // namespace

QString FileError::text() const {
    return QStringLiteral("Error %1 - %2").arg(number).arg(description);
}

QString scheduleFileText(const ScheduleRecord &r) {
    const QStringList lines{
        QStringLiteral("<DATA>"),
        QStringLiteral("LastRunTime=") + r.LastRunTime,
        QStringLiteral("ItemType=") + r.ItemType,
        QStringLiteral("Enabled=") + (r.Enabled ? QStringLiteral("1") : QStringLiteral("0")),
        QStringLiteral("</DATA>"),
        QString(),
        QStringLiteral("<SCHEDULER>"),
        QStringLiteral("StartDate=") + r.StartDate,
        QStringLiteral("StartTime=") + r.StartTime,
        QStringLiteral("Repeat=") + booleanNumber(r.Repeat),
        QStringLiteral("SAccurancy=") + QString::number(r.SAccurancy),
        QStringLiteral("Period=") + r.Period,
        QStringLiteral("RunOnStart=") + booleanNumber(r.RunOnStart),
        QStringLiteral("RunOnEnd=") + booleanNumber(r.RunOnEnd),
        QStringLiteral("</SCHEDULER>"),
    };
    // Every line ends with CR LF, and the writer adds one more: the file ends in a blank line.
    return lines.join(CrLf) + CrLf + CrLf;
}

bool isPlainScheduleName(const QString &name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c))
            return false;
    }
    // Windows drops trailing dots and spaces, which would silently rename the file.
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return false;
    if (isWindowsDeviceName(name))
        return false;
    // Keep "<name>.sch" within the usual 255-byte limit of a file name.
    return (name + QStringLiteral(".sch")).toUtf8().size() <= 255;
}

QString scheduleFilePath(const QString &dataFolder, const QString &name) {
    return QDir(dataFolder).filePath(name + QStringLiteral(".sch"));
}

std::optional<FileError> WriteScheduleFile(const ScheduleRecord &record, const QString &dataFolder) {
    if (!isPlainScheduleName(record.Name))
        return badFileName();
    if (!QDir().mkpath(dataFolder))
        return pathNotFound();
    const QString path = scheduleFilePath(dataFolder, record.Name);
    if (QFileInfo(path).isDir())
        return accessError();

    QStringEncoder encode(scheduleFileEncoding());
    if (const auto failure = replaceFile(path, encode(scheduleFileText(record))))
        return writeError(*failure);
    return std::nullopt;
}

std::optional<QString> readScheduleFile(const QString &path) {
    // A stray large file named *.sch must not cost memory or time.
    const FileRead file = readRegularFile(path, MaxScheduleFileChars * 4);
    if (!file)
        return std::nullopt;
    QStringDecoder decode(scheduleFileEncoding());
    QString text = decode(file.bytes);
    if (text.size() > MaxScheduleFileChars)
        return std::nullopt;
    return text;
}

QString ReadSection(const QString &text, const QString &tag) {
    const QString upper = tag.toUpper();
    const QString opening = QLatin1Char('<') + upper + QLatin1Char('>');
    const QString closing = QStringLiteral("</") + upper + QLatin1Char('>');
    // 1-based positions, 0 when absent, exactly as the format has always been read.
    const qsizetype p = (text.indexOf(opening) + 1) + opening.size();
    const qsizetype q = text.lastIndexOf(closing) + 1;
    if (q - p <= 0)
        return QString();
    return text.mid(p - 1, q - p);
}

QString ReadKeyValue(const QString &text, const QString &key) {
    if (text.isEmpty())
        return QString();
    const QString needle = key + QLatin1Char('=');
    const qsizetype at = text.indexOf(needle);
    if (at < 0)
        return QString();
    const qsizetype start = at + needle.size();
    const qsizetype end = text.indexOf(CrLf, start);
    if (end < 0)
        return QString();
    return text.mid(start, end - start);
}

bool FileExists(const QString &path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QString FileNamePart(const QString &path) {
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

bool toScheduleBoolean(const QString &text) {
    if (const auto number = readNumber(text))
        return *number != 0.0;
    return text.trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
}

qint16 toScheduleInt16(const QString &text) {
    const auto number = readNumber(text);
    if (!number || *number < -32768.5 || *number >= 32767.5)
        return 0;
    return static_cast<qint16>(qRound(*number));
}

} // namespace vesperon
