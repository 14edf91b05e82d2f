#include "support/DiskFaults.h"

#include <QDir>
#include <QFile>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vesperon::test {

std::string faultName(DiskFault fault) {
    return fault == DiskFault::FullFilesystem ? "FullFilesystem" : "FileSizeLimit";
}

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

void readWithoutHanging(const QString &fifo, const std::function<void()> &read) {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::atomic<bool> hung = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (finished.wait_for(lock, std::chrono::seconds(10), [&] { return done; }))
            return;
        hung = true;
        const QByteArray path = QFile::encodeName(fifo);
        while (!finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return done; })) {
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd); // the reader sees the end of the data
        }
    });
    read();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    EXPECT_FALSE(hung) << "reading " << fifo.toStdString() << " blocked on a FIFO";
}

void makeFifo(const QString &path) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << std::strerror(errno);
}

} // namespace vesperon::test
