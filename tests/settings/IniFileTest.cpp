#include "settings/IniFile.h"
#include "support/Testing.h"

using namespace vesperon::settings;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString &name = u"settings.ini"_s) const { return dir.filePath(name); }
};

TEST_F(IniFileTest, KeepsCommentsAndOtherSectionsAndAddsToTheRightSection) {
    writeBytes(path(), "; kept\n[Other]\na = 1\n\n[Settings]\nchkMin=0\n\n[Last]\nz=9\\\n");
    IniFile file(path());
    ASSERT_EQ(file.load(), IniFile::LoadStatus::Loaded);
    EXPECT_EQ(file.value(u"Last"_s, u"z"_s), u"9\\"_s); // a hand-typed trailing backslash is kept
    file.setValue(u"Settings"_s, u"chkSplash"_s, u"1"_s);
    file.setValue(u"New"_s, u"k"_s, u"v w"_s); // a space inside stays a space
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readBytes(path()), QByteArray("; kept\n[Other]\na = 1\n\n[Settings]\nchkMin=0\nchkSplash=1\n"
                                            "\n[Last]\nz=9\\\n\n[New]\nk=v w\n"));
}

TEST_F(IniFileTest, AnyTextRoundTrips) {
    const QString nasty[] = {u"  leading and trailing  "_s, u"line\nbreak\r\nand\ttab"_s,
                             u"C:\\path\\x41\\n;c#d[e]"_s, QString(QChar(0)) + u"\u20AC\x7f"_s, QString()};
    const QString names[] = {u" spaced name "_s, u"a=b"_s, u"[bracket"_s, u";semi"_s, u"back\\slash"_s};
    IniFile file(path());
    for (int i = 0; i < 5; ++i)
        file.setValue(u"Settings"_s, names[i], nasty[i]);
    ASSERT_TRUE(file.save());

    IniFile again(path());
    ASSERT_EQ(again.load(), IniFile::LoadStatus::Loaded);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(again.value(u"Settings"_s, names[i]), nasty[i]) << i;
    EXPECT_EQ(again.value(u"Settings"_s, u"spaced name"_s), std::nullopt);
}

} // namespace
