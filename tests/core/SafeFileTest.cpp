#include "core/SafeFile.h"
#include "support/Testing.h"

using namespace vesperon;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace {

TEST(ReplaceFile, KeepsTheOldFilesPermissionsAndWritesThroughALink) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"settings.ini"_s);
    const QString link = dir.filePath(u"link.ini"_s);
    writeBytes(file, "old");
    const auto private_ = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    ASSERT_TRUE(QFile::setPermissions(file, private_));
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_EQ(replaceFile(link, "new"), std::nullopt);
    EXPECT_EQ(readBytes(file), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFile::permissions(file), private_);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{u"link.ini"_s, u"settings.ini"_s}));
    EXPECT_EQ(replaceFile(dir.filePath(u"missing/x"_s), "x"), WriteFailure::CannotCreate);
    EXPECT_EQ(replaceFile(dir.filePath(QString(255, QLatin1Char('n'))), "x"), std::nullopt); // longest name
}

} // namespace
