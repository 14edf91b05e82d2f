#include "core/AppFolder.h"
#include "support/DiskFaults.h"
#include "support/Testing.h"

using namespace vesperon;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace {

// A portable copy (data/ beside the program) is what CommandLineTest's listing runs in.
TEST(AppFolder, AnInstalledCopyUsesThePerUserFolderSeededWithTheShippedFiles) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"usr/bin"_s);
    QDir(dir.path()).mkpath(u"usr/share/vesperon"_s);
    writeBytes(dir.filePath(u"usr/share/vesperon/Localization.txt"_s), "shipped");
    const QString user = dir.filePath(u"home/.local/share/Quillmark/Vesperon"_s);
    const AppFolder folder =
        AppFolder::resolve(dir.filePath(u"usr/bin"_s), user, {dir.filePath(u"usr/share/vesperon"_s)});
    EXPECT_EQ(folder.path(), QDir::cleanPath(user));
    EXPECT_EQ(readBytes(folder.filePath(u"Localization.txt"_s)), QByteArray("shipped"));

    // A file the user already has (a downloaded translation) is never overwritten.
    writeBytes(folder.filePath(u"Localization.txt"_s), "downloaded");
    AppFolder::resolve(dir.filePath(u"usr/bin"_s), user, {dir.filePath(u"usr/share/vesperon"_s)});
    EXPECT_EQ(readBytes(folder.filePath(u"Localization.txt"_s)), QByteArray("downloaded"));

    // A copy the disk refuses is not left behind cut short: the next start seeds again.
    ASSERT_TRUE(QFile::remove(folder.filePath(u"Localization.txt"_s)));
    test::DiskFaultScope fault(test::DiskFault::FileSizeLimit, user);
    fault.fill();
    AppFolder::resolve(dir.filePath(u"usr/bin"_s), user, {dir.filePath(u"usr/share/vesperon"_s)});
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(u"Localization.txt"_s)));
}

// Schedules an administrator deployed come from every absolute folder of the configuration path.
TEST(AppFolder, ManagedSchedulesComeFromEveryAbsoluteFolderOfTheConfigurationPath) {
#ifndef Q_OS_WIN
    EXPECT_EQ(managedScheduleFolders(QString()), QStringList{u"/etc/xdg/Quillmark/Vesperon/data"_s});
    EXPECT_EQ(managedScheduleFolders(u"/opt/site/::relative:/etc/xdg:/opt/site"_s),
              (QStringList{u"/opt/site/Quillmark/Vesperon/data"_s, u"/etc/xdg/Quillmark/Vesperon/data"_s}));
#endif
}

} // namespace
