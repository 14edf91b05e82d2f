#include "localization/LocalizationFile.h"
#include "localization/LocalizationParser.h"
#include "support/DiskFaults.h"
#include "support/Testing.h"

namespace vesperon {
namespace {

using test::readBytes;
using test::writeBytes;

// The template opens as the shipped file does, up to its first item.
QByteArray head() {
    const QByteArray shipped = readBytes(QStringLiteral(VESPERON_SHIPPED_LOCALIZATION));
    const QByteArray items = "\t<TRANSLATION_ITEMS>\r\n";
    return shipped.left(shipped.indexOf(items) + items.size());
}
const QByteArray Tail = "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n</XML_DIZ_INFO>\r\n";

class LocalizationFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return localizationFilePath(dir.path()); }
};

TEST_F(LocalizationFileTest, ReadsUtf8WithOrWithoutByteOrderMark) {
    EXPECT_FALSE(ReadLocalizationText(path()).has_value());
    // Letters of every length of sequence: two bytes, three from the smallest lead on (Thai),
    // four (an emoji).
    writeBytes(path(), "\xEF\xBB\xBF<LANGUAGE_NAME>Fran\xC3\xA7"
                       "ais \xE0\xB8\x81 \xE2\x82\xAC \xF0\x9F\x98\x80</LANGUAGE_NAME>");
    EXPECT_EQ(*ReadLocalizationText(path()),
              QString::fromUtf16(u"<LANGUAGE_NAME>Fran\u00E7ais \u0E01 \u20AC \U0001F600</LANGUAGE_NAME>"));
    // Invalid bytes do not stop the rest of the file from being read.
    writeBytes(path(), "\xFF\xFE<LANGUAGE_GROUP>\xE0\x80\x80\xC3");
    EXPECT_EQ(*ReadLocalizationText(path()),
              QString::fromUtf16(u"\uFFFD\uFFFD<LANGUAGE_GROUP>\uFFFD\uFFFD\uFFFD\uFFFD"));
    test::makeFifo(dir.filePath("fifo"));
    EXPECT_FALSE(ReadLocalizationText(dir.filePath("fifo")).has_value());
}

TEST_F(LocalizationFileTest, HugeFileIsReadOnlyUpToTheLimitAndGroupsBeforeItStayUsable) {
    QByteArray bytes = "<LANGUAGE_GROUP><LANGUAGE_NAME>English</LANGUAGE_NAME><TRANSLATION_ITEMS>\r\n"
                       "\t\t<K1>one</K1>\r\n\t</TRANSLATION_ITEMS></LANGUAGE_GROUP>\r\n"
                       "<LANGUAGE_GROUP><LANGUAGE_NAME>Big</LANGUAGE_NAME><TRANSLATION_ITEMS>\r\n\t\t<K1>";
    bytes.append(QByteArray(static_cast<qsizetype>(l10n::MaxLocalizationFileBytes), 'x'));
    bytes.append("</K1>\r\n</TRANSLATION_ITEMS></LANGUAGE_GROUP>");
    writeBytes(path(), bytes);
    const std::optional<QString> text = ReadLocalizationText(path());
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->size(), static_cast<qsizetype>(l10n::MaxLocalizationFileBytes));
    EXPECT_EQ(ListLanguageNames(*text), QStringList{"English"});
    EXPECT_EQ(FindItemText(*FindLanguageGroup(*text, "English"), "K1"), "one");
    EXPECT_FALSE(FindLanguageGroup(*text, "Big").has_value());
}

TEST_F(LocalizationFileTest, ExistenceTestAndPathTrimming) {
    writeBytes(path(), "x");
    QFile(path()).setPermissions(QFile::ReadOwner);
    QDir(dir.path()).mkdir("folder");
    EXPECT_TRUE(LangFileExists(path()));
    for (const QString &notAFile : {dir.filePath("folder"), dir.filePath("none"), QString()})
        EXPECT_FALSE(LangFileExists(notAFile)) << notAFile.toStdString();
    EXPECT_EQ(LangTrimPath("C:\\Program Files\\Vesperon\\Localization.txt"), "Localization.txt");
}

TEST_F(LocalizationFileTest, TemplateIsWrittenByteForByte) {
    const QList<LocalizationItem> items{{"frmMain_cmdEdit", "&Edit"},
                                        {"frmMain_CAPTION", QString::fromUtf8("Fenêtre <1> & \"2\"")},
                                        {"msg_title", "[ProgramName] by [CompanyName]"},
                                        {"MSG_EMPTY", ""}};
    const QByteArray expected = head() +
                                "\t\t<FRMMAIN_CMDEDIT>&Edit</FRMMAIN_CMDEDIT>\r\n"
                                "\t\t<FRMMAIN_CAPTION>Fen\xC3\xAAtre <1> & \"2\"</FRMMAIN_CAPTION>\r\n"
                                "\t\t<MSG_TITLE>[ProgramName] by [CompanyName]</MSG_TITLE>\r\n"
                                "\t\t<MSG_EMPTY></MSG_EMPTY>\r\n" +
                                Tail;
    EXPECT_EQ(localizationTemplate(items), expected);

    // The writer replaces every group of the old file; what it wrote reads back.
    writeBytes(path(), "<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME></LANGUAGE_GROUP>");
    ASSERT_TRUE(writeLocalizationTemplate(path(), items));
    EXPECT_EQ(readBytes(path()), expected);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Localization.txt"});
}

using TemplateOnAFailingDisk = test::OnEachDiskFault<LocalizationFileTest>;

TEST_P(TemplateOnAFailingDisk, ReportsFailureAndKeepsTheOldFile) {
    const QString folder = dir.filePath("app");
    test::DiskFaultScope fault(GetParam(), folder);
    if (!fault.unavailable().isEmpty())
        GTEST_SKIP() << fault.unavailable().toStdString();
    QDir().mkpath(folder);
    const QString file = localizationFilePath(folder);
    writeBytes(file, "<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME></LANGUAGE_GROUP>");
    fault.fill();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_FALSE(writeLocalizationTemplate(file, {{"K", "v"}}));
    EXPECT_EQ(readBytes(file), "<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME></LANGUAGE_GROUP>");
}

INSTANTIATE_TEST_SUITE_P(Faults, TemplateOnAFailingDisk, test::EveryDiskFault, test::faultName);

} // namespace
} // namespace vesperon
