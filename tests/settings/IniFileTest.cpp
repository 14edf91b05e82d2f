#include "settings/IniFile.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vesperon::settings;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString &name = QStringLiteral("settings.ini")) const { return dir.filePath(name); }
};

TEST_F(IniFileTest, KeepsCommentsAndOtherSectionsAndAddsToTheRightSection) {
    writeBytes(path(), "; kept\n[Other]\na = 1\n\n[Settings]\nchkMin=0\n\n[Last]\nz=9\n");
    IniFile file(path());
    ASSERT_EQ(file.load(), IniFile::LoadStatus::Loaded);
    EXPECT_EQ(file.value(QStringLiteral("Other"), QStringLiteral("a")), QStringLiteral("1"));
    file.setValue(QStringLiteral("Settings"), QStringLiteral("chkSplash"), QStringLiteral("1"));
    file.setValue(QStringLiteral("New"), QStringLiteral("k"), QStringLiteral("v"));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(
        readBytes(path()),
        QByteArray(
            "; kept\n[Other]\na = 1\n\n[Settings]\nchkMin=0\nchkSplash=1\n\n[Last]\nz=9\n\n[New]\nk=v\n"));
}

TEST_F(IniFileTest, AnyTextRoundTrips) {
    const QString nasty[] = {QStringLiteral("  leading and trailing  "),
                             QStringLiteral("line\nbreak\r\nand\ttab"),
                             QStringLiteral("C:\\path\\x41\\n;c#d[e]"),
                             QString(QChar(0)) + QStringLiteral("\u20AC\x7f"), QString()};
    const QString names[] = {QStringLiteral(" spaced name "), QStringLiteral("a=b"),
                             QStringLiteral("[bracket"), QStringLiteral(";semi"),
                             QStringLiteral("back\\slash")};
    IniFile file(path());
    for (int i = 0; i < 5; ++i)
        file.setValue(QStringLiteral("Settings"), names[i], nasty[i]);
    ASSERT_TRUE(file.save());

    IniFile again(path());
    ASSERT_EQ(again.load(), IniFile::LoadStatus::Loaded);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(again.value(QStringLiteral("Settings"), names[i]), nasty[i]) << i;
    EXPECT_EQ(again.value(QStringLiteral("Settings"), QStringLiteral("spaced name")), std::nullopt);
}

} // namespace
