#pragma once

#include "schedule/ScheduleRecord.h"

#include <QString>
#include <optional>

namespace vesperon {

// A failure the user is told about as "Error <number> - <description>".
struct FileError {
    int number = 0;
    QString description;
    QString text() const;
};

// Schedule files above this size are not schedule files: the readers count positions in
// 16-bit numbers, and a file the writer made is a few hundred characters.
inline constexpr qint64 MaxScheduleFileChars = 32766;

// Builds the exact text of a schedule file, CR LF line ends, ending in a blank line.
QString scheduleFileText(const ScheduleRecord &record);

// Whether a schedule name can be used as a file name stem inside data/: no path
// separators, no "." or "..", no control characters, nothing Windows forbids.
bool isPlainScheduleName(const QString &name);

// <dataFolder>/<name>.sch
QString scheduleFilePath(const QString &dataFolder, const QString &name);

// Writes the record to <dataFolder>/<Name>.sch, replacing any file of that name. The new
// text goes to a temporary file first and replaces the old file in one step, so a failed
// save (a full disk included) keeps the old schedule. Returns the error to show, or nothing
// on success.
std::optional<FileError> WriteScheduleFile(const ScheduleRecord &record, const QString &dataFolder);

// Reads a whole schedule file; nullopt when it is not a regular file, cannot be read or is
// too large.
std::optional<QString> readScheduleFile(const QString &path);

// The text between the first "<TAG>" and the last "</TAG>" (markers matched exactly).
QString ReadSection(const QString &text, const QString &tag);

// The text after the first "key=" up to the next CR LF; empty when absent or unterminated.
QString ReadKeyValue(const QString &text, const QString &key);

// Whether a regular file is at path (folders do not count; any failure counts as missing).
bool FileExists(const QString &path);

// The text after the last path separator.
QString FileNamePart(const QString &path);

// Conversions used when a file's texts are read back into a record. Hand-edited files may
// hold anything: a Boolean is a number (non-zero is true) or True/False, anything else is
// false; a 16-bit number that cannot be read is 0. "nan" and "inf" are not numbers.
bool toScheduleBoolean(const QString &text);
qint16 toScheduleInt16(const QString &text);

} // namespace vesperon
