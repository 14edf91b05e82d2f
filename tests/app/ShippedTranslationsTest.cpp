// The shipped Localization.txt against the real windows: its English group holds exactly the
// items the template writer produces, and every language translates every item.
//
// After adding or renaming a control, print the new English group with
//   VESPERON_TEMPLATE_OUT=/tmp/english.txt ./shipped_translations_tests
//       --gtest_also_run_disabled_tests --gtest_filter='*WriteEnglishGroup'
// and put its items (and their translations) into resources/Localization.txt.

#include "ProgramWindows.h"
#include "localization/LocalizationFile.h"

#include <QRegularExpression>
#include <QSet>

namespace vesperon::test {

namespace {

const QString ShippedPath = QStringLiteral(VESPERON_SHIPPED_LOCALIZATION);
const QString English = u"English"_s;

// Labels a window fills from the program's own values after translating, so the template
// holds whatever those values are today: the about window's version number.
const QStringList SetAfterTranslating = {
    u"FRMABOUT_LBLVERSION"_s,
#ifndef Q_OS_WIN
    // off Windows a message without "Windows" replaces it
    u"FRMOPTIONS_CHKRUNATSTART"_s,
#endif
};

QString shippedText() {
    return ReadLocalizationText(ShippedPath).value_or(QString());
}

QStringList shippedGroup(const QString &language) {
    return FindLanguageGroup(shippedText(), language).value_or(QStringList());
}

// The access-key letter of a text ("&File" -> 'f'), or nothing; "&&" is a plain "&".
std::optional<QChar> accessKey(const QString &text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text.at(i + 1).toLower();
    }
    return std::nullopt;
}

QStringList placeholders(const QString &text) {
    static const QRegularExpression pattern(u"\\[(ProgramName|CompanyName|Website)\\]"_s);
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found << it.next().captured(0);
    found.sort();
    return found;
}

using ShippedTranslations = ProgramWindows;

} // namespace

TEST_F(ShippedTranslations, EnglishGroupHoldsExactlyTheItemsOfTheWindowsAndMessages) {
    openEveryWindow();
    const QStringList template_ = englishTemplate();
    const QStringList shippedLines = shippedGroup(English);
    const QStringList generated = itemKeys(template_);
    const QStringList shipped = itemKeys(shippedLines);
    ASSERT_FALSE(generated.isEmpty());
    ASSERT_FALSE(shipped.isEmpty()) << "no English group in " << qPrintable(ShippedPath);

    // Every key as often as the template writes it (an indexed group once per member of it).
    QStringList changed;
    for (const QString &key :
         QSet<QString>(generated.begin(), generated.end()) + QSet<QString>(shipped.begin(), shipped.end())) {
        EXPECT_EQ(shipped.count(key), generated.count(key))
            << qPrintable(key) << (generated.contains(key) ? "" : ": no window or message has it");
        // The English group puts its texts over the built-in ones: a caption changed in a
        // window must change here too (and its translations be looked at again).
        if (shipped.contains(key) && generated.contains(key) && !SetAfterTranslating.contains(key) &&
            FindItemText(shippedLines, key) != FindItemText(template_, key))
            changed << key;
    }
    changed.sort();
    EXPECT_TRUE(changed.isEmpty()) << "English texts that differ from the windows' own: "
                                   << qPrintable(changed.join(u", "_s));
}

// Not a check: writes the English group the windows produce now, for updating the file.
TEST_F(ShippedTranslations, DISABLED_WriteEnglishGroup) {
    openEveryWindow();
    const QStringList lines = englishTemplate();
    const QString out = qEnvironmentVariable("VESPERON_TEMPLATE_OUT");
    ASSERT_FALSE(out.isEmpty()) << "set VESPERON_TEMPLATE_OUT to the file to write";
    writeBytes(out, lines.join(u"\r\n"_s).toUtf8());
}

TEST(ShippedLocalizationFile, IsUtf8WithCrLfLinesAndListsEveryGroupByName) {
    const QByteArray bytes = readBytes(ShippedPath);
    ASSERT_FALSE(bytes.isEmpty()) << qPrintable(ShippedPath);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << "the file starts with a byte-order mark";
    EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes) << "the file is not valid UTF-8";
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n")) << "a line ends in a bare LF";
    EXPECT_EQ(bytes.count("\r"), bytes.count("\r\n")) << "a line ends in a bare CR";

    // Every name the file declares is listed by the reader, in file order, and finds its group.
    const QString text = shippedText();
    QStringList declared;
    static const QRegularExpression name(u"<LANGUAGE_NAME>([^<]*)</LANGUAGE_NAME>"_s);
    for (auto it = name.globalMatch(text); it.hasNext();)
        declared << it.next().captured(1);
    EXPECT_EQ(ListLanguageNames(text), declared);
    EXPECT_EQ(text.count(u"<LANGUAGE_GROUP"_s), declared.size());
    EXPECT_EQ(QSet<QString>(declared.begin(), declared.end()).size(), 6) << "six languages, each once";
}

TEST(ShippedLocalizationFile, EveryLanguageTranslatesEveryEnglishItem) {
    const QString text = shippedText();
    const QStringList english = shippedGroup(English);
    const QStringList englishKeys = itemKeys(english);
    ASSERT_FALSE(englishKeys.isEmpty());
    for (const QString &language : ListLanguageNames(text)) {
        if (language == English)
            continue;
        const QStringList lines = FindLanguageGroup(text, language).value_or(QStringList());
        const QStringList keys = itemKeys(lines);
        const QSet<QString> keySet(keys.begin(), keys.end());
        QStringList problems;
        for (const QString &key : englishKeys) {
            if (!keySet.contains(key)) {
                problems << u"missing "_s + key;
                continue;
            }
            const QString source = FindItemText(english, key);
            const QString translation = FindItemText(lines, key);
            // An empty text counts as no translation: the control would keep another language.
            if (!source.isEmpty() && translation.isEmpty())
                problems << u"empty "_s + key;
            // The program's name and maker stay where English has them; the web address may
            // be left out (it seldom fits a translated caption), but none may be added.
            QStringList kept = placeholders(translation), expected = placeholders(source);
            if (kept.count(u"[Website]"_s) < expected.count(u"[Website]"_s)) {
                kept.removeAll(u"[Website]"_s);
                expected.removeAll(u"[Website]"_s);
            }
            if (kept != expected)
                problems << u"placeholders differ in "_s + key;
            if (accessKey(source).has_value() != accessKey(translation).has_value())
                problems << u"access key added or lost in "_s + key;
        }
        for (const QString &key : keys) {
            if (!englishKeys.contains(key))
                problems << u"not in English: "_s + key;
        }
        EXPECT_TRUE(problems.isEmpty()) << qPrintable(language) << ": " << qPrintable(problems.join(u", "_s));
    }
}

} // namespace vesperon::test
