#include "core/SafeFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vesperon;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace {

TEST(ReplaceFile, KeepsTheOldFilesPermissionsAndWritesThroughALink) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    const QString link = dir.filePath(QStringLiteral("link.ini"));
    writeBytes(file, "old");
    const auto private_ = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    ASSERT_TRUE(QFile::setPermissions(file, private_));
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_EQ(replaceFile(link, "new"), std::nullopt);
    EXPECT_EQ(readBytes(file), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFile::permissions(file), private_);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{QStringLiteral("link.ini"), QStringLiteral("settings.ini")}));
    EXPECT_EQ(replaceFile(dir.filePath(QStringLiteral("missing/x")), "x"), WriteFailure::CannotCreate);
    EXPECT_EQ(replaceFile(dir.filePath(QString(255, QLatin1Char('n'))), "x"), std::nullopt); // longest name
}

} // namespace
