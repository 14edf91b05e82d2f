#include "core/SafeFile.h"
#include "support/DiskFaults.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vesperon;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace {

TEST(ReadRegularFile, ReadsOnlyRegularFilesUpToTheLimit) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("file"));
    writeBytes(file, "0123456789");
    test::makeFifo(dir.filePath(QStringLiteral("fifo")));
    const struct {
        QString path;
        qint64 limit;
        OverLimit overLimit;
        std::optional<ReadFailure> failure;
        QByteArray bytes;
    } cases[] = {
        {file, 10, OverLimit::Refuse, std::nullopt, "0123456789"},
        {file, 9, OverLimit::Refuse, ReadFailure::TooLarge, {}},
        {file, 4, OverLimit::ReadPrefix, std::nullopt, "0123"},
        {dir.filePath(QStringLiteral("none")), 10, OverLimit::Refuse, ReadFailure::Missing, {}},
        {dir.path(), 10, OverLimit::Refuse, ReadFailure::NotAFile, {}},
        {QStringLiteral("/dev/zero"), 10, OverLimit::ReadPrefix, ReadFailure::NotAFile, {}},
        {dir.filePath(QStringLiteral("fifo")), 10, OverLimit::Refuse, ReadFailure::NotAFile, {}},
    };
    for (const auto &c : cases) {
        test::readWithoutHanging(c.path, [&] {
            const FileRead read = readRegularFile(c.path, c.limit, c.overLimit);
            EXPECT_EQ(read.failure, c.failure) << c.path.toStdString();
            EXPECT_EQ(read.bytes, c.bytes) << c.path.toStdString();
        });
    }
}

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
