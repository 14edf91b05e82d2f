#include "support/DiskFaults.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesperon::test {

DiskFaultScope::DiskFaultScope(DiskFault fault, const QString &folder) : m_fault(fault), m_folder(folder) {
    if (fault != DiskFault::FullFilesystem)
        return;
    QDir().mkpath(folder);
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") !=
        0)
        m_unavailable = QStringLiteral("mounting a small tmpfs is not permitted here (%1)")
                            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    else
        m_mounted = true;
}

DiskFaultScope::~DiskFaultScope() {
    if (m_limited) {
        ::setrlimit(RLIMIT_FSIZE, &m_oldLimit);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

void DiskFaultScope::fill() {
    if (m_fault == DiskFault::FileSizeLimit) {
        ::getrlimit(RLIMIT_FSIZE, &m_oldLimit);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead
        rlimit none = m_oldLimit;
        none.rlim_cur = 0;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &none), 0);
        m_limited = true;
        return;
    }
    ASSERT_TRUE(m_mounted);
    const int fd = ::open(QFile::encodeName(QDir(m_folder).filePath(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    const std::string block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    const int error = errno;
    ::close(fd);
    ASSERT_EQ(error, ENOSPC);
}

void makeFifo(const QString &path) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << std::strerror(errno);
}

} // namespace vesperon::test
