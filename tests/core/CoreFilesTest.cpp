// The application folder and files replaced in place, in temporary folders.

#include "core/AppFolder.h"
#include "core/SafeFile.h"
#include "support/DiskFaults.h"
#include "support/Testing.h"

using namespace vesperon;

namespace {

// A portable copy (data/ beside the program) is what CommandLineTest's listing runs in.
TEST(AppFolder, AnInstalledCopyUsesThePerUserFolderSeededWithTheShippedFiles) {
    QTemporaryDir dir;
    const QString shipped = dir.filePath(u"usr/share/vesperon"_s);
    QDir().mkpath(shipped);
    QDir().mkpath(dir.filePath(u"usr/bin"_s)); // writable, but an installed copy's folder
    test::writeBytes(shipped + u"/Localization.txt"_s, "shipped");
    const QString user = dir.filePath(u"home/.local/share/Quillmark/Vesperon"_s);
    const auto resolve = [&] { return AppFolder::resolve(dir.filePath(u"usr/bin"_s), user, {shipped}); };
    const AppFolder folder = resolve();
    EXPECT_EQ(folder.path(), QDir::cleanPath(user));
    EXPECT_EQ(test::readBytes(folder.filePath(u"Localization.txt"_s)), QByteArray("shipped"));

    // A file the user already has (a downloaded translation) is never overwritten.
    test::writeBytes(folder.filePath(u"Localization.txt"_s), "downloaded");
    resolve();
    EXPECT_EQ(test::readBytes(folder.filePath(u"Localization.txt"_s)), QByteArray("downloaded"));

    // A copy the disk refuses is not left behind cut short: the next start seeds again.
    ASSERT_TRUE(QFile::remove(folder.filePath(u"Localization.txt"_s)));
    test::DiskFaultScope fault(test::DiskFault::FileSizeLimit, user);
    fault.fill();
    resolve();
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

TEST(ReplaceFile, KeepsTheOldFilesPermissionsAndWritesThroughALink) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"settings.ini"_s);
    const QString link = dir.filePath(u"link.ini"_s);
    test::writeBytes(file, "old");
    const auto private_ = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    ASSERT_TRUE(QFile::setPermissions(file, private_));
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_EQ(replaceFile(link, "new"), std::nullopt);
    EXPECT_EQ(test::readBytes(file), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFile::permissions(file), private_);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{u"link.ini"_s, u"settings.ini"_s}));
    EXPECT_EQ(replaceFile(dir.filePath(u"missing/x"_s), "x"), WriteFailure::CannotCreate);
    EXPECT_EQ(replaceFile(dir.filePath(QString(255, QLatin1Char('n'))), "x"), std::nullopt); // longest name
}

} // namespace
