#include "core/AppFolder.h"
#include "support/DiskFaults.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vesperon;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace {

// A portable copy (data/ beside the program) is what CommandLineTest's listing runs in.
TEST(AppFolder, AnInstalledCopyUsesThePerUserFolderSeededWithTheShippedFiles) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("usr/bin"));
    QDir(dir.path()).mkpath(QStringLiteral("usr/share/vesperon"));
    writeBytes(dir.filePath(QStringLiteral("usr/share/vesperon/Localization.txt")), "shipped");
    const QString user = dir.filePath(QStringLiteral("home/.local/share/Quillmark/Vesperon"));
    const AppFolder folder = AppFolder::resolve(dir.filePath(QStringLiteral("usr/bin")), user,
                                                {dir.filePath(QStringLiteral("usr/share/vesperon"))});
    EXPECT_EQ(folder.path(), QDir::cleanPath(user));
    EXPECT_EQ(readBytes(folder.filePath(QStringLiteral("Localization.txt"))), QByteArray("shipped"));

    // A file the user already has (a downloaded translation) is never overwritten.
    writeBytes(folder.filePath(QStringLiteral("Localization.txt")), "downloaded");
    AppFolder::resolve(dir.filePath(QStringLiteral("usr/bin")), user,
                       {dir.filePath(QStringLiteral("usr/share/vesperon"))});
    EXPECT_EQ(readBytes(folder.filePath(QStringLiteral("Localization.txt"))), QByteArray("downloaded"));

    // A copy the disk refuses is not left behind cut short: the next start seeds again.
    ASSERT_TRUE(QFile::remove(folder.filePath(QStringLiteral("Localization.txt"))));
    test::DiskFaultScope fault(test::DiskFault::FileSizeLimit, user);
    fault.fill();
    AppFolder::resolve(dir.filePath(QStringLiteral("usr/bin")), user,
                       {dir.filePath(QStringLiteral("usr/share/vesperon"))});
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("Localization.txt"))));
}

} // namespace
