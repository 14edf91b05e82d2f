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

QString items(const QStringList &lines) {
    QString text = QStringLiteral("\r\n");
    for (const QString &line : lines)
        text += QStringLiteral("\t\t") + line + QStringLiteral("\r\n");
    return text + QLatin1Char('\t');
}

TEST(Utf8Decoding, SkipsByteOrderMarkAndReplacesInvalidBytes) {
    EXPECT_EQ(l10n::decodeUtf8("\xEF\xBB\xBF"
                               "ab"),
              u"ab");
    // Only a mark at the very start is skipped.
    EXPECT_EQ(l10n::decodeUtf8("a\xEF\xBB\xBF"), u"a\uFEFF");
    EXPECT_EQ(l10n::decodeUtf8("Fran\xC3\xA7"
                               "ais \xE2\x82\xAC \xF0\x9F\x98\x80"),
              u"Fran\u00E7ais \u20AC \U0001F600");
    // A lone continuation byte, an overlong form, an encoded surrogate, a sequence cut off
    // at the end and a byte that never starts a sequence.
    EXPECT_EQ(l10n::decodeUtf8("\x80"), u"\uFFFD");
    EXPECT_EQ(l10n::decodeUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(l10n::decodeUtf8("\xED\xA0\x80x"), u"\uFFFD\uFFFD\uFFFDx");
    EXPECT_EQ(l10n::decodeUtf8("a\xE2\x82"), u"a\uFFFD");
    EXPECT_EQ(l10n::decodeUtf8("\xFFz"), u"\uFFFDz");
    EXPECT_EQ(l10n::decodeUtf8(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(CaseFolding, MatchesLettersOfTheCommonAlphabets) {
    EXPECT_TRUE(l10n::equalsNoCase(u"Fran\u00C7AIS", u"fran\u00E7ais"));
    EXPECT_TRUE(l10n::equalsNoCase(u"\u0420\u0423\u0421\u0421\u041A\u0418\u0419",
                                   u"\u0440\u0443\u0441\u0441\u043A\u0438\u0439"));
    EXPECT_TRUE(l10n::equalsNoCase(u"\u0152\u0178", u"\u0153\u00FF"));
    EXPECT_FALSE(l10n::equalsNoCase(u"\u00D7", u"\u00F7")); // multiplication and division signs
    EXPECT_FALSE(l10n::equalsNoCase(u"ab", u"abc"));
    EXPECT_EQ(l10n::findNoCase(u"xx<language_GROUP", u"<LANGUAGE_GROUP"), 2u);
    EXPECT_EQ(l10n::findNoCase(u"abc", u"c", 3), std::u16string_view::npos);
}

TEST(GroupScan, ListsNamesInFileOrderWithDuplicatesAndEmptyNames) {
    const QString text = QStringLiteral("<?xml?>\r\n<XML_DIZ_INFO>\r\n") +
                         group("English", items({"<A1>x</A1>"})) + group("Deutsch", items({})) +
                         group("", items({})) + group("English", items({})) +
                         QStringLiteral("</XML_DIZ_INFO>\r\n");
    EXPECT_EQ(ListLanguageNames(text), (QStringList{"English", "Deutsch", "", "English"}));
    EXPECT_TRUE(ListLanguageNames(QString()).isEmpty());
}

TEST(GroupScan, NamesAreComparedIgnoringCaseButNotTrimmed) {
    const QString text =
        group(" Deutsch", items({"<K1>leading</K1>"})) + group("Deutsch", items({"<K1>plain</K1>"}));
    const std::optional<QStringList> lines = FindLanguageGroup(text, "DEUTSCH");
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(FindItemText(*lines, "K1"), "plain");
    EXPECT_EQ(FindItemText(*FindLanguageGroup(text, " deutsch"), "K1"), "leading");
    // Names are taken as written, so the leading space is listed too.
    EXPECT_EQ(ListLanguageNames(text), (QStringList{" Deutsch", "Deutsch"}));
    EXPECT_FALSE(FindLanguageGroup(text, "Deutsch ").has_value());
}

TEST(GroupScan, FirstGroupOfANameWins) {
    const QString text =
        group("English", items({"<K1>first</K1>"})) + group("english", items({"<K1>second</K1>"}));
    EXPECT_EQ(FindItemText(*FindLanguageGroup(text, "English"), "K1"), "first");
}

TEST(GroupScan, MissingClosingMarkerEndsTheScanAtThatGroup) {
    QString broken = group("Broken", items({"<K1>b</K1>"}));
    broken.remove(QStringLiteral("</LANGUAGE_GROUP>"));
    const QString text = group("English", items({"<K1>e</K1>"})) + broken;
    EXPECT_EQ(ListLanguageNames(text), QStringList{"English"});
    EXPECT_EQ(FindItemText(*FindLanguageGroup(text, "English"), "K1"), "e");
    EXPECT_FALSE(FindLanguageGroup(text, "Broken").has_value());
}

TEST(GroupScan, GroupWithoutItsClosingMarkerRunsToTheNextOne) {
    // The closing marker is the first one after the previous group, so a group that lacks
    // its own swallows the group after it.
    QString open = group("Broken", items({"<K1>b</K1>"}));
    open.remove(QStringLiteral("</LANGUAGE_GROUP>"));
    const QString text = open + group("Deutsch", items({"<K1>d</K1>"})) + group("Dansk", items({}));
    EXPECT_EQ(ListLanguageNames(text), (QStringList{"Broken", "Dansk"}));
    EXPECT_EQ(FindItemText(*FindLanguageGroup(text, "Broken"), "K1"), "b");
    EXPECT_FALSE(FindLanguageGroup(text, "Deutsch").has_value());
}

TEST(GroupScan, MissingNameMarkersEndTheScan) {
    QString nameless = group("Nameless", items({}));
    nameless.replace(QStringLiteral("</LANGUAGE_NAME>"), QStringLiteral("</NAME>"));
    const QString text = group("English", items({})) + nameless + group("Deutsch", items({"<K1>d</K1>"}));
    EXPECT_EQ(ListLanguageNames(text), QStringList{"English"});
    EXPECT_FALSE(FindLanguageGroup(text, "Deutsch").has_value());
}

TEST(GroupScan, SoughtGroupWithoutItemMarkersCountsAsNotFound) {
    QString itemless = group("Deutsch", items({"<K1>a</K1>"}));
    itemless.remove(QStringLiteral("</TRANSLATION_ITEMS>"));
    const QString text = itemless + group("Deutsch", items({"<K1>b</K1>"}));
    EXPECT_FALSE(FindLanguageGroup(text, "Deutsch").has_value());
    // Listing does not look at the items, so both groups are listed.
    EXPECT_EQ(ListLanguageNames(text), (QStringList{"Deutsch", "Deutsch"}));
}

TEST(GroupScan, StrayClosingMarkerBeforeAGroupEndsTheScan) {
    const QString text = QStringLiteral("</LANGUAGE_GROUP>") + group("English", items({}));
    EXPECT_TRUE(ListLanguageNames(text).isEmpty());
    EXPECT_FALSE(FindLanguageGroup(text, "English").has_value());
}

TEST(GroupScan, MarkersIgnoreLetterCase) {
    const QString text =
        QStringLiteral("<language_group><Language_Name>Nl</language_name><translation_items>\r\n"
                       "<K1>ja</K1>\r\n</Translation_Items></language_GROUP>");
    EXPECT_EQ(ListLanguageNames(text), QStringList{"Nl"});
    EXPECT_EQ(FindItemText(*FindLanguageGroup(text, "nl"), "k1"), "ja");
}

TEST(ItemLines, SplitOnlyAtCrLf) {
    const std::optional<QStringList> written =
        FindLanguageGroup(group("E", items({"<A1>a</A1>", "<B1>b</B1>"})), "E");
    // The rest of the opening line, two items, then the tab before the closing marker.
    EXPECT_EQ(*written, (QStringList{"", "\t\t<A1>a</A1>", "\t\t<B1>b</B1>", "\t"}));
    const std::optional<QStringList> bareLf = FindLanguageGroup(group("E", "<A1>a</A1>\n<B1>b</B1>\n"), "E");
    ASSERT_EQ(bareLf->size(), 1);
    EXPECT_EQ(FindItemText(*bareLf, "A1"), "a");
    EXPECT_EQ(FindItemText(*bareLf, "B1"), "");
    EXPECT_TRUE(FindLanguageGroup(group("E", ""), "E")->isEmpty());
}

TEST(ItemLookup, KeysIgnoreCaseAndTheFirstLineWins) {
    const QStringList lines{"", "\t\t<FRMMAIN_CMDEDIT>&Edit</FRMMAIN_CMDEDIT>", "\t\t<MSG_X>one</MSG_X>",
                            "\t\t<msg_x>two</msg_x>", "\t"};
    EXPECT_EQ(FindItemText(lines, "frmMain_cmdEdit"), "&Edit");
    EXPECT_EQ(FindItemText(lines, "MSG_X"), "one");
    EXPECT_EQ(FindItemText(lines, "MSG_Y"), "");
    EXPECT_EQ(FindItemText({}, "MSG_X"), "");
}

TEST(ItemLookup, ShortKeysAtTheStartOfALine) {
    // A two-character key at the line start has a head of three characters and is found; a
    // one-character key there has a head of two and never is, unless the line is indented.
    EXPECT_EQ(FindItemText({"<AB>two</AB>"}, "AB"), "two");
    EXPECT_EQ(FindItemText({"<A>one</A>"}, "A"), "");
    EXPECT_EQ(FindItemText({"\t\t<A>one</A>"}, "A"), "one");
}

TEST(ItemLookup, TextsAreTakenWholeAndUnescaped) {
    const QStringList lines{
        "\t\t<K1>a > b & \"c\" <i></K1>", "\t\t<K2></K2>",      "\t\t<K3>x</K3>tail</K3>",
        "\t\t<K4>no closing tag",         "\t\t<K4>later</K4>", "junk before <K5>five</K5>"};
    EXPECT_EQ(FindItemText(lines, "K1"), "a > b & \"c\" <i>");
    EXPECT_EQ(FindItemText(lines, "K2"), "");
    EXPECT_EQ(FindItemText(lines, "K3"), "x");
    // The first line with the key decides, even when it has no text.
    EXPECT_EQ(FindItemText(lines, "K4"), "");
    EXPECT_EQ(FindItemText(lines, "K5"), "five");
}

TEST(ItemLookup, KeyMustBeTheWholeTagName) {
    const QStringList lines{"\t\t<FRMMAIN_MNUFILE0>File</FRMMAIN_MNUFILE0>", "\t\t<NOLT>x</NOLT>"};
    EXPECT_EQ(FindItemText(lines, "FRMMAIN_MNUFILE"), "");
    EXPECT_EQ(FindItemText(lines, "FRMMAIN_MNUFILE0"), "File");
}

} // namespace
} // namespace vesperon

namespace vesperon {
namespace {

TEST(ItemIndex, AnswersExactlyLikeTheLineByLineLookup) {
    const QStringList lines{"",
                            "\t",
                            "<AB>two</AB>",
                            "<A>one</A>",
                            "\t\t<A>indented</A>",
                            "\t\t<msg_x>one</msg_x>",
                            "\t\t<MSG_X>two</MSG_X>",
                            "\t\t<K4>no closing tag",
                            "\t\t<K4>later</K4>",
                            "KEY>no opening</KEY>",
                            "\t\t<Fran\u00c7ais>oui</FRAN\u00c7AIS>",
                            "\t\t<>empty key</>",
                            "\t\t<K5>a > b</K5>"};
    const TranslationItems items(lines);
    EXPECT_EQ(items.size(), lines.size());
    const QStringList keys{"AB", "ab", "A",  "msg_X", "K4", "KEY", "key", QString::fromUtf8("fran\u00e7ais"),
                           "",   "K5", "K6", "\t\t<A"};
    for (const QString &key : keys)
        EXPECT_EQ(items.find(key), FindItemText(lines, key)) << key.toStdString();
    EXPECT_EQ(items.find("msg_x"), "one");
    EXPECT_EQ(items.find("a"), "indented");
    EXPECT_EQ(TranslationItems().find("A"), "");
}

} // namespace
} // namespace vesperon
