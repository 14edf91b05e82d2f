#include "localization/LocalizationParser.h"
#include "localization/LocalizationFile.h"
#include "localization/TranslationItems.h"

#include "support/Testing.h"

namespace vesperon {
namespace {

// Language groups from a short form: "Name:k1" groups separated by '|', each with one item K1.
// A trailing '!' leaves out the group's closing marker, '?' its name's, '#' its items'.
QString groups(const QString &shortForm) {
    QString text;
    for (QString g : shortForm.split(QLatin1Char('|'))) {
        const QChar broken = g.endsWith('!') || g.endsWith('?') || g.endsWith('#') ? g.back() : QChar();
        if (!broken.isNull())
            g.chop(1);
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
    const std::pair<std::u16string_view, std::u16string_view> same[] = {
        {u"Fran\u00C7AIS", u"fran\u00E7ais"},
        {u"\u0100\u0136", u"\u0101\u0137"},
        {u"\u0139\u0141\u0147", u"\u013A\u0142\u0148"},
        {u"\u014A\u0176", u"\u014B\u0177"},
        {u"\u0179\u017D", u"\u017A\u017E"},
        {u"\u0152\u0178", u"\u0153\u00FF"},
        {u"\u0420\u0423\u0421\u0421\u041A\u0418\u0419\u0400\u0401\u040F",
         u"\u0440\u0443\u0441\u0441\u043A\u0438\u0439\u0450\u0451\u045F"}};
    for (const auto &[upper, lower] : same)
        EXPECT_TRUE(l10n::equalsNoCase(upper, lower))
            << QString::fromStdU16String(std::u16string(upper)).toStdString();
    const std::pair<std::u16string_view, std::u16string_view> apart[] = {{u"\u00D7", u"\u00F7"},
                                                                         {u"\u013A", u"\u013B"},
                                                                         {u"\u0142", u"\u0143"},
                                                                         {u"\u0138", u"\u0139"},
                                                                         {u"ab", u"abc"}};
    for (const auto &[one, other] : apart)
        EXPECT_FALSE(l10n::equalsNoCase(one, other))
            << QString::fromStdU16String(std::u16string(one)).toStdString();
    EXPECT_EQ(l10n::findNoCase(u"xx<language_GROUP", u"<LANGUAGE_GROUP"), 2u);
}

// Listing the groups and finding one, in files whole and broken.
TEST(GroupScan, ListsAndFindsGroupsAsTheMarkersSay) {
    const struct {
        const char *groups, *listed, *sought;
        std::optional<QString> k1; // the item in the group found; nothing: no group found
    } cases[] = {
        {"English:e|Deutsch:d|:|english:2", "English,Deutsch,,english", "ENGLISH", "e"}, // first one wins
        {" Deutsch:leading|Deutsch:plain", " Deutsch,Deutsch", " deutsch", "leading"},   // names not trimmed
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
        ASSERT_EQ(lines.has_value(), c.k1.has_value());
        if (lines) {
            EXPECT_EQ(FindItemText(*lines, "k1"), *c.k1);
        }
    }
    // Markers ignore letter case.
    EXPECT_EQ(
        FindItemText(*FindLanguageGroup("<language_group><Language_Name>Nl</language_name><translation_items>"
                                        "\r\n<K1>ja</K1>\r\n</Translation_Items></language_GROUP>",
                                        "nl"),
                     "k1"),
        "ja");
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
                            "\t\t<K1>a > b & \"c\" <i></K1>",
                            "\t\t<K3>x</K3>tail</K3>",
                            "\t\t<K4>no closing tag",
                            "\t\t<K4>later</K4>",
                            "junk before <K5>five</K5>",
                            "KEY>no opening</KEY>",
                            "\t\t<Fran\u00c7ais>oui</FRAN\u00c7AIS>",
                            "\t\t<>empty key</>"};
    const std::pair<QString, const char *> cases[] = {
        {"frmMain_mnuFile0", "&File"},
        {"FRMMAIN_MNUFILE", ""}, // the key is the whole tag name
        {"msg_x", "one"},
        {"AB", "two"},     // a two-character key at the line start is found,
        {"a", "indented"}, // a one-character one only indented
        {"K1", "a > b & \"c\" <i>"},
        {"K3", "x"},
        {"K4", ""}, // the first line with the key decides, even without a text
        {"K5", "five"},
        {"key", ""},
    };
    const TranslationItems items(lines);
    EXPECT_EQ(items.size(), lines.size());
    for (const auto &[key, text] : cases) {
        EXPECT_EQ(FindItemText(lines, key), QString::fromUtf8(text)) << key.toStdString();
        EXPECT_EQ(items.find(key), QString::fromUtf8(text)) << key.toStdString();
    }
    for (const QString &odd : {QString::fromUtf8("fran\u00e7ais"), QString(), u"\t\t<A"_s})
        EXPECT_EQ(items.find(odd), FindItemText(lines, odd)) << odd.toStdString();
}

// Valid UTF-8 of every length decodes; each maximal invalid part (an overlong form, a surrogate,
// a cut-off sequence) becomes one U+FFFD; the byte-order mark at the start is dropped.
TEST(DecodeUtf8, DecodesEveryLengthAndReplacesEachInvalidPartOnce) {
    const struct {
        std::string_view bytes;
        std::u16string text;
    } cases[] = {
        {"\xEF\xBB\xBF"
         "a\xC3\xA9\xE2\x82\xAC",
         u"a\u00e9\u20ac"},
        {"\xF0\x9F\x98\x80\xF1\x80\x80\x80", u"\U0001F600\U00040000"},
        {"\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // a surrogate
        {"x\xE2\x82", u"x\uFFFD"},                         // cut off at the end
    };
    for (const auto &c : cases)
        EXPECT_EQ(l10n::decodeUtf8(c.bytes), c.text) << c.bytes;
}

} // namespace
} // namespace vesperon
