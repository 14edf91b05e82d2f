#include "core/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace vesperon {

namespace {

// The file a symbolic link leads to, through a chain of links; the path itself otherwise.
QString linkTarget(const QString &path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

} // namespace

#ifdef Q_OS_UNIX

namespace {

WriteFailure writeFailure(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG ? WriteFailure::DiskFull
                                                                : WriteFailure::DeviceError;
}

ReadFailure openFailure(int error) {
    return error == ENOENT || error == ENOTDIR ? ReadFailure::Missing : ReadFailure::Unreadable;
}

// An open descriptor that is closed when it goes out of scope, unless closed before.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    // Closes now and says whether the kernel took everything (some file systems report
    // write errors only here).
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool writeAll(int fd, const char *data, qsizetype size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

} // namespace

FileRead readRegularFile(const QString &path, qint64 maxBytes, OverLimit overLimit) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        return {{}, openFailure(errno)};
    // Look before opening: opening a FIFO waits for a writer, and opening a device may act.
    if (!S_ISREG(status.st_mode))
        return {{}, ReadFailure::NotAFile};
    // Should something else take the name in between, O_NONBLOCK keeps the open from waiting.
    Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return {{}, openFailure(errno)};
    if (::fstat(fd.get(), &status) != 0)
        return {{}, ReadFailure::Unreadable};
    if (!S_ISREG(status.st_mode))
        return {{}, ReadFailure::NotAFile};
    const bool refuse = overLimit == OverLimit::Refuse;
    if (refuse && status.st_size > maxBytes)
        return {{}, ReadFailure::TooLarge};

    // One byte past the limit shows a file that grew since it was looked at.
    const qint64 wanted = refuse ? maxBytes + 1 : maxBytes;
    QByteArray bytes;
    bytes.resize(std::min<qint64>(wanted, std::max<qint64>(status.st_size, 0) + 1));
    qint64 got = 0;
    while (got < wanted) {
        if (got == bytes.size())
            bytes.resize(std::min<qint64>(wanted, bytes.size() * 2));
        const ssize_t n = ::read(fd.get(), bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {{}, ReadFailure::Unreadable};
        if (n == 0)
            break;
        got += n;
    }
    if (refuse && got > maxBytes)
        return {{}, ReadFailure::TooLarge};
    bytes.truncate(got);
    return {bytes, std::nullopt};
}

std::optional<WriteFailure> replaceFile(const QString &path, const QByteArray &bytes) {
    const QFileInfo target(linkTarget(path));
    const QString folder = target.absolutePath();
    const QByteArray finalName = QFile::encodeName(target.absoluteFilePath());
    struct stat old {};
    const bool replacing = ::stat(finalName.constData(), &old) == 0 && S_ISREG(old.st_mode);

    // A hidden name in the same folder, so that the rename stays on one file system and an
    // interrupted save leaves nothing a folder listing of schedules would take up. The name is
    // shortened so that it stays within the file system's limit whatever the file is called.
    QByteArray temporary;
    int created = -1;
    for (int attempt = 0; attempt < 100 && created < 0; ++attempt) {
        temporary = QFile::encodeName(
            QDir(folder).filePath(QStringLiteral(".%1.%2")
                                      .arg(target.fileName().left(60))
                                      .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))));
        created =
            ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
        if (created < 0 && errno != EEXIST)
            return WriteFailure::CannotCreate;
    }
    if (created < 0)
        return WriteFailure::CannotCreate;
    Descriptor fd(created);
    const auto fail = [&](WriteFailure failure) {
        ::unlink(temporary.constData());
        return failure;
    };
    if (replacing)
        ::fchmod(fd.get(), old.st_mode & 07777); // as good as it gets when it fails: the owner's file
    if (!writeAll(fd.get(), bytes.constData(), bytes.size()) || ::fsync(fd.get()) != 0 || !fd.close())
        return fail(writeFailure(errno));
    if (::rename(temporary.constData(), finalName.constData()) != 0)
        return fail(WriteFailure::CannotReplace);
    // Make the new name itself last; the file is in place whatever this gives.
    Descriptor folderFd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() >= 0)
        ::fsync(folderFd.get());
    return std::nullopt;
}

#else

FileRead readRegularFile(const QString &path, qint64 maxBytes, OverLimit overLimit) {
    const QFileInfo info(path);
    if (!info.exists())
        return {{}, ReadFailure::Missing};
    if (!info.isFile())
        return {{}, ReadFailure::NotAFile};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, ReadFailure::Unreadable};
    const bool refuse = overLimit == OverLimit::Refuse;
    if (refuse && file.size() > maxBytes)
        return {{}, ReadFailure::TooLarge};
    const QByteArray bytes = file.read(refuse ? maxBytes + 1 : maxBytes);
    if (file.error() != QFileDevice::NoError)
        return {{}, ReadFailure::Unreadable};
    if (refuse && bytes.size() > maxBytes)
        return {{}, ReadFailure::TooLarge};
    return {bytes, std::nullopt};
}

std::optional<WriteFailure> replaceFile(const QString &path, const QByteArray &bytes) {
    QSaveFile file(linkTarget(path));
    if (!file.open(QIODevice::WriteOnly))
        return WriteFailure::CannotCreate;
    // commit() alone can miss a failure to write out the buffer: flush first and look.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const bool full = file.error() == QFileDevice::ResourceError;
        file.cancelWriting();
        return full ? WriteFailure::DiskFull : WriteFailure::DeviceError;
    }
    if (!file.commit())
        return WriteFailure::CannotReplace;
    return std::nullopt;
}

#endif

} // namespace vesperon
