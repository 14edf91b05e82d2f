#include "localization/LocalizationParser.h"
#include "localization/LocalizationFile.h"
#include "localization/TranslationItems.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace vesperon {
namespace {

QString group(const QString &name, const QString &items) {
    return QStringLiteral("<LANGUAGE_GROUP xml:lang=\"x\">\r\n\t<LANGUAGE_NAME>") + name +
           QStringLiteral("</LANGUAGE_NAME>\r\n\t<TRANSLATION_ITEMS>") + items +
           QStringLiteral("</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n");
}

QString item(const QString &text) {
    return QStringLiteral("\r\n\t\t<K1>") + text + QStringLiteral("</K1>\r\n\t");
}

QString without(QString text, const QString &marker, const QString &replacement = QString()) {
    return text.replace(marker, replacement);
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
    const QString broken = without(group("Broken", item("b")), "</LANGUAGE_GROUP>");
    const QString nameless = without(group("Nameless", item("n")), "</LANGUAGE_NAME>", "</NAME>");
    const QString itemless = without(group("Deutsch", item("a")), "</TRANSLATION_ITEMS>");
    const struct {
        const char *what;
        QString text;
        QStringList listed;
        QString sought;
        std::optional<QString> k1; // the item in the group found; nothing: no group found
    } cases[] = {
        {"duplicates and empty names",
         group("English", item("e")) + group("Deutsch", item("d")) + group("", item("")) +
             group("english", item("2")),
         {"English", "Deutsch", "", "english"},
         "ENGLISH",
         "e"},
        {"names are not trimmed",
         group(" Deutsch", item("leading")) + group("Deutsch", item("plain")),
         {" Deutsch", "Deutsch"},
         " deutsch",
         "leading"},
        {"a trailing space is another name",
         group("Deutsch", item("d")),
         {"Deutsch"},
         "Deutsch ",
         std::nullopt},
        {"a group without its closing marker ends the scan",
         group("English", item("e")) + broken,
         {"English"},
         "Broken",
         std::nullopt},
        {"a group without its closing marker swallows the next",
         broken + group("Deutsch", item("d")) + group("Dansk", item("")),
         {"Broken", "Dansk"},
         "Deutsch",
         std::nullopt},
        {"... and is found with its own items",
         broken + group("Deutsch", item("d")),
         {"Broken"},
         "Broken",
         "b"},
        {"a missing name marker ends the scan",
         group("English", item("e")) + nameless + group("Deutsch", item("d")),
         {"English"},
         "Deutsch",
         std::nullopt},
        {"a group without item markers is not found",
         itemless + group("Deutsch", item("b")),
         {"Deutsch", "Deutsch"},
         "Deutsch",
         std::nullopt},
        {"a stray closing marker ends the scan",
         "</LANGUAGE_GROUP>" + group("English", item("e")),
         {},
         "English",
         std::nullopt},
        {"markers ignore letter case",
         "<language_group><Language_Name>Nl</language_name><translation_items>\r\n<K1>ja</K1>\r\n"
         "</Translation_Items></language_GROUP>",
         {"Nl"},
         "nl",
         "ja"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ListLanguageNames(c.text), c.listed);
        const std::optional<QStringList> lines = FindLanguageGroup(c.text, c.sought);
        ASSERT_EQ(lines.has_value(), c.k1.has_value());
        if (lines) {
            EXPECT_EQ(FindItemText(*lines, "k1"), *c.k1);
        }
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
                            "\t\t<K1>a > b & \"c\" <i></K1>",
                            "\t\t<K2></K2>",
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
        {"MSG_Y", ""},
        {"AB", "two"},     // a two-character key at the line start is found,
        {"a", "indented"}, // a one-character one only indented
        {"K1", "a > b & \"c\" <i>"},
        {"K2", ""},
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
    for (const QString &odd : {QString::fromUtf8("fran\u00e7ais"), QString(), QStringLiteral("\t\t<A")})
        EXPECT_EQ(items.find(odd), FindItemText(lines, odd)) << odd.toStdString();
    EXPECT_EQ(FindItemText({}, "MSG_X"), "");
    EXPECT_EQ(TranslationItems().find("A"), "");
}

} // namespace
} // namespace vesperon
