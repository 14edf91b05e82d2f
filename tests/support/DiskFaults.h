#pragma once

#include <QString>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

namespace vesperon::test {

// Two ways to make the disk refuse new data, for tests of what a failed write leaves behind.
enum class DiskFault {
    FullFilesystem, // a small tmpfs mounted on the folder and filled up: writes fail with ENOSPC
    FileSizeLimit,  // the process's file size limit set to 0: every write fails with EFBIG
};

// A fixture whose TEST_Ps run once for each fault:
//   INSTANTIATE_TEST_SUITE_P(Faults, Suite, test::EveryDiskFault, test::faultName);
template <class Fixture>
class OnEachDiskFault : public Fixture, public ::testing::WithParamInterface<DiskFault> {};
inline const auto EveryDiskFault = ::testing::Values(DiskFault::FullFilesystem, DiskFault::FileSizeLimit);
inline std::string faultName(const ::testing::TestParamInfo<DiskFault> &info) {
    return info.param == DiskFault::FullFilesystem ? "FullFilesystem" : "FileSizeLimit";
}

// One fault for one folder. Create it before the folder's first files are written (a file
// system may be mounted over the folder), call fill() once they are, and let it go before the
// folder is removed. Mounting needs the right to mount; where that is refused the fault is
// unavailable and the test skips with the reason.
class DiskFaultScope {
public:
    DiskFaultScope(DiskFault fault, const QString &folder);
    ~DiskFaultScope();
    DiskFaultScope(const DiskFaultScope &) = delete;
    DiskFaultScope &operator=(const DiskFaultScope &) = delete;

    // Why the fault cannot be set up here; empty when it can.
    const QString &unavailable() const { return m_unavailable; }

    // From now on no file under the folder can grow.
    void fill();

private:
    DiskFault m_fault;
    QString m_folder;
    QString m_unavailable;
    bool m_mounted = false;
    bool m_limited = false;
    rlimit m_oldLimit{};
    void (*m_oldHandler)(int) = nullptr;
};

// Makes a FIFO at path (the test fails when it cannot). A read that blocks on it runs into
// CTest's time limit.
void makeFifo(const QString &path);

} // namespace vesperon::test
