#include "localization/LocalizationFile.h"
#include "localization/LocalizationParser.h"
#include "support/DiskFaults.h"
#include "support/Testing.h"

namespace vesperon {
namespace {

using test::readBytes;
using test::writeBytes;

// Only regular files are read, and a huge one only up to the limit.
TEST(LocalizationFile, ReadsRegularFilesUpToTheLimit) {
    QTemporaryDir dir;
    const QString path = localizationFilePath(dir.path());
    EXPECT_FALSE(ReadLocalizationText(path).has_value());
    writeBytes(path, QByteArray(static_cast<qsizetype>(l10n::MaxLocalizationFileBytes) + 10, 'x'));
    EXPECT_EQ(ReadLocalizationText(path).value_or(QString()).size(),
              static_cast<qsizetype>(l10n::MaxLocalizationFileBytes));
    test::makeFifo(dir.filePath("fifo"));
    EXPECT_FALSE(ReadLocalizationText(dir.filePath("fifo")).has_value());

    EXPECT_TRUE(LangFileExists(path));
    EXPECT_FALSE(LangFileExists(dir.path()));
}

TEST(LocalizationFile, TemplateIsWrittenByteForByte) {
    // It opens as the shipped file does, up to its first item.
    const QByteArray shipped = readBytes(QStringLiteral(VESPERON_SHIPPED_LOCALIZATION));
    const QByteArray itemsMarker = "\t<TRANSLATION_ITEMS>\r\n";
    EXPECT_EQ(localizationTemplate({{"frmMain_cmdEdit", "&Edit"},
                                    {"frmMain_CAPTION", QString::fromUtf8("Fenêtre <1> & \"2\"")},
                                    {"MSG_EMPTY", ""}}),
              shipped.left(shipped.indexOf(itemsMarker) + itemsMarker.size()) +
                  "\t\t<FRMMAIN_CMDEDIT>&Edit</FRMMAIN_CMDEDIT>\r\n"
                  "\t\t<FRMMAIN_CAPTION>Fen\xC3\xAAtre <1> & \"2\"</FRMMAIN_CAPTION>\r\n"
                  "\t\t<MSG_EMPTY></MSG_EMPTY>\r\n"
                  "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n</XML_DIZ_INFO>\r\n");
}

} // namespace
} // namespace vesperon
