// The language file read, written and scanned: its groups, its items and its UTF-8.
#include "localization/LocalizationParser.h"
#include "localization/LocalizationFile.h"
#include "localization/TranslationItems.h"
#include "support/DiskFaults.h"
#include "support/Testing.h"

namespace vesperon {
namespace {

// Language groups from a short form: "Name:k1" groups separated by '|', each with one item K1.
// A trailing '!' leaves out the group's closing marker, '?' its name's, '#' its items'.
QString groups(const QString &shortForm) {
    QString text;
    for (QString g : shortForm.split(QLatin1Char('|'))) {
        const QChar broken = u"!?#"_s.contains(g.back()) ? g.back() : QChar();
        g.chop(broken.isNull() ? 0 : 1);
        text += u"<LANGUAGE_GROUP xml:lang=\"x\">\r\n\t<LANGUAGE_NAME>"_s + g.section(':', 0, 0) +
                (broken == '?' ? "</NAME>" : "</LANGUAGE_NAME>") + "\r\n\t<TRANSLATION_ITEMS>\r\n\t\t<K1>" +
                g.section(':', 1) + "</K1>\r\n\t" + (broken == '#' ? "" : "</TRANSLATION_ITEMS>") + "\r\n" +
                (broken == '!' ? "" : "</LANGUAGE_GROUP>\r\n");
    }
    return text;
}

// Names are compared without regard to case in the Latin, Latin-1, Latin Extended-A (Polish,
// Czech, ...) and Cyrillic alphabets; other pairs stay apart.
TEST(CaseFolding, MatchesTheUpperAndLowerLettersOfTheCommonAlphabets) {
    const struct {
        std::u16string_view one, other;
        bool same;
    } cases[] = {{u"Fran\u00C7AIS", u"fran\u00E7ais", true},
                 {u"\u0104\u0118\u0141\u0143\u015A\u0179\u017B",
                  u"\u0105\u0119\u0142\u0144\u015B\u017A\u017C", true}, // Polish
                 {u"\u0152\u0178", u"\u0153\u00FF", true},
                 {u"\u0420\u0423\u0421\u0421\u041A\u0418\u0419\u0400\u040F",
                  u"\u0440\u0443\u0441\u0441\u043A\u0438\u0439\u0450\u045F", true},
                 {u"\u00D7", u"\u00F7", false},
                 {u"\u0142", u"\u0143", false},
                 {u"ab", u"abc", false}};
    for (const auto &c : cases)
        EXPECT_EQ(l10n::equalsNoCase(c.one, c.other), c.same)
            << QString::fromStdU16String(std::u16string(c.one)).toStdString();
    EXPECT_EQ(l10n::findNoCase(u"xx<language_GROUP", u"<LANGUAGE_GROUP"), 2u);
}

// Listing the groups and finding one, in files whole and broken.
TEST(GroupScan, ListsAndFindsGroupsAsTheMarkersSay) {
    const struct {
        const char *groups, *listed, *sought;
        std::optional<QString> k1; // the item in the group found; nothing: no group found
    } cases[] = {
        {"English:e|Deutsch:d|:|english:2", "English,Deutsch,,english", "ENGLISH", "e"}, // first one wins
        {"English:e|Broken:b!", "English", "Broken", std::nullopt}, // no closing marker: the scan ends
        {"Broken:b!|Deutsch:d|Dansk:", "Broken,Dansk", "Deutsch", std::nullopt}, // ... swallowing the next
        {"English:e|Nameless:n?|Deutsch:d", "English", "Deutsch", std::nullopt},
        {"Deutsch:a#|Deutsch:b", "Deutsch,Deutsch", "Deutsch", std::nullopt}, // no items marker: not found
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.groups);
        const QString text = groups(QString::fromUtf8(c.groups));
        EXPECT_EQ(ListLanguageNames(text), QString::fromUtf8(c.listed).split(QLatin1Char(',')));
        const std::optional<QStringList> lines = FindLanguageGroup(text, QString::fromUtf8(c.sought));
        EXPECT_EQ(lines ? std::optional(FindItemText(*lines, "k1")) : std::nullopt, c.k1);
    }
}

// The line-by-line lookup and the index the engine builds from it give the same answers.
TEST(ItemLookup, KeysIgnoreCaseTheFirstLineWinsAndTextsAreTakenWhole) {
    const QStringList lines{"",
                            "\t\t<FRMMAIN_MNUFILE0>&File</FRMMAIN_MNUFILE0>",
                            "\t\t<MSG_X>one</MSG_X>",
                            "\t\t<msg_x>two</msg_x>",
                            "<AB>two</AB>",
                            "<A>one</A>",
                            "\t\t<A>indented</A>",
                            "\t\t<K3>x</K3>tail</K3>",
                            "\t\t<K4>no closing tag",
                            "\t\t<K4>later</K4>"};
    const std::pair<QString, const char *> cases[] = {
        {"frmMain_mnuFile0", "&File"},
        {"FRMMAIN_MNUFILE", ""}, // the key is the whole tag name
        {"msg_x", "one"},
        {"AB", "two"},     // a two-character key at the line start is found,
        {"a", "indented"}, // a one-character one only indented
        {"K3", "x"},
        {"K4", ""}, // the first line with the key decides, even without a text
    };
    const TranslationItems items(lines);
    EXPECT_EQ(items.size(), lines.size());
    for (const auto &[key, text] : cases) {
        EXPECT_EQ(FindItemText(lines, key), QString::fromUtf8(text)) << key.toStdString();
        EXPECT_EQ(items.find(key), QString::fromUtf8(text)) << key.toStdString();
    }
}

// Valid UTF-8 of every length decodes; each maximal invalid part (an overlong form, a surrogate,
// a cut-off sequence) becomes one U+FFFD; the byte-order mark at the start is dropped.
TEST(DecodeUtf8, DecodesEveryLengthAndReplacesEachInvalidPartOnce) {
    const struct {
        std::string_view bytes;
        std::u16string text;
    } cases[] = {
        {"\xEF\xBB\xBFz\xC3\xA9\xE2\x82\xAC", u"z\u00e9\u20ac"},
        {"\xF0\x9F\x98\x80\xF1\x80\x80\x80", u"\U0001F600\U00040000"},
        {"\xE0\xA0\x80\xE0\x80\x80", u"\u0800\uFFFD\uFFFD\uFFFD"}, // the first three-byte form; overlong
        {"\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},         // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},                   // a surrogate
        {"x\xE2\x82", u"x\uFFFD"},                                 // cut off at the end
    };
    for (const auto &c : cases)
        EXPECT_EQ(l10n::decodeUtf8(c.bytes), c.text) << c.bytes;
}

// Only regular files are read, and a huge one only up to the limit.
TEST(LocalizationFile, ReadsRegularFilesUpToTheLimit) {
    QTemporaryDir dir;
    const QString path = localizationFilePath(dir.path());
    EXPECT_FALSE(ReadLocalizationText(path).has_value());
    test::writeBytes(path, QByteArray(static_cast<qsizetype>(l10n::MaxLocalizationFileBytes) + 10, 'x'));
    EXPECT_EQ(ReadLocalizationText(path).value_or(QString()).size(),
              static_cast<qsizetype>(l10n::MaxLocalizationFileBytes));
    test::makeFifo(dir.filePath("fifo"));
    EXPECT_FALSE(ReadLocalizationText(dir.filePath("fifo")).has_value());

    EXPECT_TRUE(LangFileExists(path));
    EXPECT_FALSE(LangFileExists(dir.path()));
}

TEST(LocalizationFile, TemplateIsWrittenByteForByte) {
    // It opens as the shipped file does, up to its first item.
    const QByteArray shipped = test::readBytes(QStringLiteral(VESPERON_SHIPPED_LOCALIZATION));
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
