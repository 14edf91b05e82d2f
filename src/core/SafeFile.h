#pragma once

// Every file the program reads or writes goes through here.
//
// Reading takes regular files only, and only up to a size the caller names: a FIFO, a device
// or a folder under a file's name is refused without waiting on it, and a huge file costs
// neither time nor memory.
//
// Writing replaces a file in one step: the bytes go to a new file beside it, every write is
// checked, the data is synced to the disk, and only then does the new file take the old one's
// name. On any failure (a full disk included) the old file stays exactly as it was and no
// temporary file is left behind.

#include <QByteArray>
#include <QString>
#include <optional>

namespace vesperon {

enum class ReadFailure {
    Missing,    // nothing under that name
    NotAFile,   // a folder, FIFO, device or socket
    TooLarge,   // larger than the caller's limit
    Unreadable, // no permission, or the read failed
};

struct FileRead {
    QByteArray bytes;
    std::optional<ReadFailure> failure;
    explicit operator bool() const { return !failure; }
};

// What to do with a file larger than the limit: refuse it, or read its first maxBytes.
enum class OverLimit { Refuse, ReadPrefix };

FileRead readRegularFile(const QString &path, qint64 maxBytes, OverLimit overLimit = OverLimit::Refuse);

enum class WriteFailure {
    CannotCreate,  // no new file could be made beside the old one (no folder, no permission)
    DiskFull,      // the disk or a limit took no more data
    DeviceError,   // another write, flush or sync failure
    CannotReplace, // the finished file could not take the old one's name
};

// Replaces the file at path (or, for a symbolic link, the file it leads to) with bytes. A new
// file gets the usual permissions, a replaced one keeps its own. Nothing on success.
std::optional<WriteFailure> replaceFile(const QString &path, const QByteArray &bytes);

} // namespace vesperon
