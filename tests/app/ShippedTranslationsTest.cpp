// The shipped Localization.txt against the real windows: its English group holds exactly the
// items the template writer produces, every language translates every item, and every
// translated text fits its control at the window's design size.
//
// After adding or renaming a control, print the new English group with
//   VESPERON_TEMPLATE_OUT=/tmp/english.txt ./shipped_translations_tests
//       --gtest_also_run_disabled_tests --gtest_filter='*WriteEnglishGroup'
// and put its items (and their translations) into resources/Localization.txt.

#include "ProgramWindows.h"
#include "localization/LocalizationFile.h"
#include "localization/WindowTexts.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QToolButton>
#include <QTreeView>

namespace vesperon::test {

namespace {

const QString ShippedPath = QStringLiteral(VESPERON_SHIPPED_LOCALIZATION);
const QString English = QStringLiteral("English");

// Labels a window fills from the program's own values after translating, so the template
// holds whatever those values are today: the about window's version number.
const QStringList SetAfterTranslating = {
    QStringLiteral("FRMABOUT_LBLVERSION"),
#ifndef Q_OS_WIN
    // off Windows a message without "Windows" replaces it
    QStringLiteral("FRMOPTIONS_CHKRUNATSTART"),
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
    static const QRegularExpression pattern(QStringLiteral("\\[(ProgramName|CompanyName|Website)\\]"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found << it.next().captured(0);
    found.sort();
    return found;
}

// Pixels a control needs for its text, and the pixels it has, in one direction.
struct Room {
    int needed = 0;
    int available = 0;
    QString what; // "width" or "height"
};

QList<Room> labelRoom(const QLabel *label) {
    const QRect box = label->contentsRect();
    const QFontMetrics metrics = label->fontMetrics();
    if (label->wordWrap()) {
        // A wrapped label may use its height; a single word wider than the label still spills.
        const QRect used = metrics.boundingRect(QRect(0, 0, box.width(), 100000),
                                                int(label->alignment()) | Qt::TextWordWrap, label->text());
        return {Room{used.width(), box.width(), QStringLiteral("width")},
                Room{used.height(), box.height(), QStringLiteral("height")}};
    }
    return {Room{metrics.horizontalAdvance(label->text()), box.width(), QStringLiteral("width")}};
}

QList<Room> buttonRoom(const QPushButton *button) {
    // The text and the icon beside it, plus the style's margins and frame. The style's smallest
    // button width does not count: a short caption on a narrow button is fine.
    QStyleOptionButton option;
    option.initFrom(button);
    option.iconSize = button->iconSize();
    option.icon = button->icon();
    if (button->autoDefault() || button->isDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    QSize contents = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    if (!button->icon().isNull())
        contents.rwidth() += button->iconSize().width() + 4;
    const QSize needed = button->style()->sizeFromContents(QStyle::CT_PushButton, &option, contents, button);
    return {Room{needed.width(), button->width(), QStringLiteral("width")}};
}

QList<Room> toolButtonRoom(const QToolButton *button) {
    // Picture above the caption: the wider of the two, plus the style's margins.
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.toolButtonStyle = button->toolButtonStyle();
    option.iconSize = button->iconSize();
    option.icon = button->icon();
    option.text = button->text();
    QSize contents = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    contents.rwidth() = std::max(contents.width(), button->iconSize().width());
    const QSize needed = button->style()->sizeFromContents(QStyle::CT_ToolButton, &option, contents, button);
    return {Room{needed.width(), button->width(), QStringLiteral("width")}};
}

QList<Room> groupTitleRoom(const QGroupBox *box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect title =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    const int width = box->fontMetrics().size(Qt::TextShowMnemonic, box->title()).width();
    return {Room{title.left() + width, box->width(), QStringLiteral("width")}};
}

QList<Room> columnRoom(const QTreeView *view, int column) {
    const QHeaderView *header = view->header();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QString text = view->model()->headerData(column, Qt::Horizontal).toString();
    return {Room{header->fontMetrics().horizontalAdvance(text) + 2 * margin, header->sectionSize(column),
                 QStringLiteral("width")}};
}

// One text of a window measured against its control.
struct Fit {
    QString id;  // tells apart the members of an indexed group and the directions
    QString key; // the item key
    QString text;
    Room room;

    QString describe(const QString &language) const {
        return QStringLiteral("%1: %2 \"%3\" needs %4 px of %5, has %6")
            .arg(language, key, text)
            .arg(room.needed)
            .arg(room.what)
            .arg(room.available);
    }
};

// Every label, button, check box, option button, group-box title and column header of the
// window, measured as it shows now.
QList<Fit> measure(QWidget *window) {
    QList<Fit> fits;
    const auto add = [&fits](const QObject *control, const QString &key, const QString &text,
                             const QList<Room> &rooms) {
        for (const Room &room : rooms) {
            const QString id =
                QStringLiteral("%1/%2/%3").arg(key).arg(reinterpret_cast<quintptr>(control)).arg(room.what);
            fits << Fit{id, key, text, room};
        }
    };
    const QString windowName = window->objectName();
    for (QObject *control : windowControls(window)) {
        const QString key = (windowName + QLatin1Char('_') + control->objectName()).toUpper();
        if (auto *label = qobject_cast<QLabel *>(control)) {
            add(label, key, label->text(), labelRoom(label));
        } else if (auto *button = qobject_cast<QPushButton *>(control)) {
            add(button, key, button->text(), buttonRoom(button));
        } else if (auto *tool = qobject_cast<QToolButton *>(control);
                   tool && !tool->property("elidesText").toBool()) {
            add(tool, key, tool->text(), toolButtonRoom(tool));
        } else if (qobject_cast<QCheckBox *>(control) || qobject_cast<QRadioButton *>(control)) {
            // The size hint is the indicator, the spacing and the text (and an icon, if any).
            auto *box = static_cast<QAbstractButton *>(control);
            const QString indexed =
                qobject_cast<QRadioButton *>(box) ? key + box->property("index").toString() : key;
            add(box, indexed, box->text(),
                {Room{box->sizeHint().width(), box->width(), QStringLiteral("width")}});
        } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
            add(group, key, group->title(), groupTitleRoom(group));
        } else if (auto *view = qobject_cast<QTreeView *>(control);
                   view && controlKind(view) == QLatin1String("ListView")) {
            for (int column = 0; column < view->model()->columnCount(); ++column) {
                if (!view->header()->isSectionHidden(column))
                    add(view, key + QStringLiteral("_COL") + QString::number(column + 1),
                        view->model()->headerData(column, Qt::Horizontal).toString(),
                        columnRoom(view, column));
            }
        }
    }
    return fits;
}

class ShippedTranslations : public ProgramWindows {
protected:
    QList<Fit> measureIn(const QString &language);
};

} // namespace

TEST_F(ShippedTranslations, EnglishGroupHoldsExactlyTheItemsOfTheWindowsAndMessages) {
    openEveryWindow();
    const QStringList template_ = englishTemplate();
    const QStringList shippedLines = shippedGroup(English);
    const QStringList generated = itemKeys(template_);
    const QStringList shipped = itemKeys(shippedLines);
    ASSERT_FALSE(generated.isEmpty());
    ASSERT_FALSE(shipped.isEmpty()) << "no English group in " << qPrintable(ShippedPath);

    const QSet<QString> generatedSet(generated.begin(), generated.end());
    const QSet<QString> shippedSet(shipped.begin(), shipped.end());
    QStringList missing = (generatedSet - shippedSet).values();
    QStringList stale = (shippedSet - generatedSet).values();
    missing.sort();
    stale.sort();
    EXPECT_TRUE(missing.isEmpty()) << "controls or messages without an item in the shipped file: "
                                   << qPrintable(missing.join(QStringLiteral(", ")));
    EXPECT_TRUE(stale.isEmpty()) << "items of the shipped file that no window or message has: "
                                 << qPrintable(stale.join(QStringLiteral(", ")));
    // An indexed group writes its shared key once per member, as the template does.
    QStringList changed;
    for (const QString &key : generatedSet) {
        EXPECT_EQ(shipped.count(key), generated.count(key)) << qPrintable(key);
        // The English group puts its texts over the built-in ones: a caption changed in a
        // window must change here too (and its translations be looked at again).
        if (shippedSet.contains(key) && !SetAfterTranslating.contains(key) &&
            FindItemText(shippedLines, key) != FindItemText(template_, key))
            changed << key;
    }
    changed.sort();
    EXPECT_TRUE(changed.isEmpty()) << "English texts that differ from the windows' own: "
                                   << qPrintable(changed.join(QStringLiteral(", ")));
}

// Not a check: writes the English group the windows produce now, for updating the file.
TEST_F(ShippedTranslations, DISABLED_WriteEnglishGroup) {
    openEveryWindow();
    const QStringList lines = englishTemplate();
    const QString out = qEnvironmentVariable("VESPERON_TEMPLATE_OUT");
    ASSERT_FALSE(out.isEmpty()) << "set VESPERON_TEMPLATE_OUT to the file to write";
    writeBytes(out, lines.join(QStringLiteral("\r\n")).toUtf8());
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
    static const QRegularExpression name(QStringLiteral("<LANGUAGE_NAME>([^<]*)</LANGUAGE_NAME>"));
    for (auto it = name.globalMatch(text); it.hasNext();)
        declared << it.next().captured(1);
    EXPECT_EQ(ListLanguageNames(text), declared);
    EXPECT_EQ(text.count(QStringLiteral("<LANGUAGE_GROUP")), declared.size());
    ASSERT_FALSE(declared.isEmpty());
    EXPECT_EQ(declared.first(), English);
    for (const char *language : {"Deutsch", "Français", "Español", "Italiano", "Polski"})
        EXPECT_TRUE(declared.contains(QString::fromUtf8(language))) << language;
    EXPECT_EQ(QSet<QString>(declared.begin(), declared.end()).size(), declared.size())
        << "two groups share a name; only the first would ever be used";
    for (const QString &language : declared) {
        const std::optional<QStringList> lines = FindLanguageGroup(text, language);
        ASSERT_TRUE(lines) << qPrintable(language);
        // A group whose items the engine cannot tell apart would make it fall back to English.
        EXPECT_GT(lines->size(), 1) << qPrintable(language);
    }
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
        QStringList missing, extra, emptied, lostPlaceholders, accessKeys;
        for (const QString &key : englishKeys) {
            if (!keySet.contains(key)) {
                missing << key;
                continue;
            }
            const QString source = FindItemText(english, key);
            const QString translation = FindItemText(lines, key);
            // An empty text counts as no translation: the control would keep another language.
            if (!source.isEmpty() && translation.isEmpty())
                emptied << key;
            // The program's name and maker stay where English has them; the web address may
            // be left out (it seldom fits a translated caption), but none may be added.
            QStringList kept = placeholders(translation), expected = placeholders(source);
            if (kept.count(QStringLiteral("[Website]")) < expected.count(QStringLiteral("[Website]"))) {
                kept.removeAll(QStringLiteral("[Website]"));
                expected.removeAll(QStringLiteral("[Website]"));
            }
            if (kept != expected)
                lostPlaceholders << key;
            if (accessKey(source).has_value() != accessKey(translation).has_value())
                accessKeys << key;
        }
        for (const QString &key : keys) {
            if (!englishKeys.contains(key))
                extra << key;
        }
        const QString name = language + QStringLiteral(": ");
        EXPECT_TRUE(missing.isEmpty())
            << qPrintable(name) << "missing " << qPrintable(missing.join(QStringLiteral(", ")));
        EXPECT_TRUE(extra.isEmpty()) << qPrintable(name) << "not in English "
                                     << qPrintable(extra.join(QStringLiteral(", ")));
        EXPECT_TRUE(emptied.isEmpty())
            << qPrintable(name) << "empty " << qPrintable(emptied.join(QStringLiteral(", ")));
        EXPECT_TRUE(lostPlaceholders.isEmpty()) << qPrintable(name) << "placeholders differ "
                                                << qPrintable(lostPlaceholders.join(QStringLiteral(", ")));
        EXPECT_TRUE(accessKeys.isEmpty()) << qPrintable(name) << "access key added or lost "
                                          << qPrintable(accessKeys.join(QStringLiteral(", ")));
        for (const QString &key : keySet) {
            // Only the members of an indexed group share a key, as many times as in English.
            EXPECT_LE(keys.count(key), std::max<qsizetype>(1, englishKeys.count(key)))
                << qPrintable(name) << qPrintable(key) << " occurs more often than in English";
        }

        // The menus of the main window's menu bar open with distinct keys.
        QSet<QChar> barKeys;
        for (const char *menu : {"FRMMAIN_MNUFILE0", "FRMMAIN_MNUACTION0", "FRMMAIN_MNUVIEW0",
                                 "FRMMAIN_MNULANGUAGE0", "FRMMAIN_MNUHELP0", "FRMMAIN_MNUABOUT0"}) {
            const std::optional<QChar> key = accessKey(FindItemText(lines, QLatin1String(menu)));
            ASSERT_TRUE(key) << qPrintable(name) << menu;
            EXPECT_FALSE(barKeys.contains(*key)) << qPrintable(name) << menu << " repeats an access key";
            barKeys.insert(*key);
        }
    }
}

// Applies a language of the shipped file to every open window and measures every text. An
// engine of its own: English first, so that nothing of a language tried before stays on a
// control the language at hand does not translate.
QList<Fit> ShippedTranslations::measureIn(const QString &language) {
    QList<Fit> fits;
    ProgramValues shippedValues;
    LanguageEngine shipped(ShippedPath, shippedValues);
    for (QWidget *window : openWindows()) {
        shipped.ChangeLanguage(window, English);
        shipped.ChangeLanguage(window, language);
        EXPECT_EQ(shippedValues.CurrentLanguage, language);
        fits << measure(window);
    }
    return fits;
}

// A control too small for its English text is a fault of the window, reported here.
TEST_F(ShippedTranslations, EveryEnglishTextFitsItsControlAtTheDesignSize) {
    openEveryWindow();
    ASSERT_FALSE(openWindows().isEmpty());
    QStringList problems;
    for (const Fit &fit : measureIn(English)) {
        if (fit.room.needed > fit.room.available)
            problems << fit.describe(English);
    }
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));
}

// Where even the English text does not fit, a translation must at least not need more room.
TEST_F(ShippedTranslations, EveryTranslatedTextFitsWhereTheEnglishTextDoes) {
    openEveryWindow();
    ASSERT_FALSE(openWindows().isEmpty());
    QHash<QString, int> englishNeeds;
    for (const Fit &fit : measureIn(English))
        englishNeeds.insert(fit.id, fit.room.needed);
    ASSERT_FALSE(englishNeeds.isEmpty());
    QStringList problems;
    for (const QString &language : ListLanguageNames(shippedText())) {
        if (language == English)
            continue;
        for (const Fit &fit : measureIn(language)) {
            const int allowed = std::max(fit.room.available, englishNeeds.value(fit.id));
            if (fit.room.needed > allowed)
                problems << fit.describe(language);
        }
    }
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));
}

} // namespace vesperon::test
