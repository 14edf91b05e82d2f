// The shipped Localization.txt against the real windows: its English group holds exactly the
// items the template writer produces, every language translates every item, and every window
// has room for its texts in every language. CTest runs the room check at 96 dots per inch and
// again at 144 (QT_SCALE_FACTOR=1.5).
//
// After adding or renaming a control, write the template from the language window and put its
// new items (and their translations) into resources/Localization.txt.

#include "app/MainWindowFixture.h"
#include "app/StillRunningPrompt.h"
#include "app/WindowOpeners.h"
#include "core/HttpGet.h"
#include "localization/LocalizationFile.h"
#include "localization/WindowTexts.h"

#include <QAbstractSpinBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOption>
#include <QToolButton>
#include <QTreeView>

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

QStringList group(const QString &text, const QString &language) {
    return FindLanguageGroup(text, language).value_or(QStringList());
}

// The keys of item lines, upper-cased, in line order (lines without an item are skipped).
QStringList itemKeys(const QStringList &lines) {
    static const QRegularExpression item(u"^[^<]*<([^/>][^>]*)>"_s);
    QStringList keys;
    for (const QString &line : lines)
        if (const QRegularExpressionMatch match = item.match(line); match.hasMatch())
            keys << match.captured(1).toUpper();
    return keys;
}

// Whether a text has an access key ("&File"); "&&" is a plain "&".
bool hasAccessKey(QString text) {
    return text.remove(u"&&"_s).contains(QRegularExpression(u"&."_s));
}

// Every window of the program that carries translation items, built offscreen at its design
// size and loaded as the running program loads it, with no Localization.txt in the
// application folder (so each control shows its built-in English text).
class ShippedTranslations : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        notFirstStart();
    }
    void TearDown() override {
        // The language window goes when it is closed (at the event loop's next pass), the
        // wizard and the options with the main window; the next test must find none of them.
        for (QWidget *language : topLevels("frmLanguage"))
            language->close();
        window.reset();
        qDeleteAll(topLevels("frmAbout"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Loads the main window and opens the others as the menus open them; a window added to the
    // program gets its name here.
    QList<QWidget *> openEveryWindow() {
        MainWindow &main = start();
        installWindowOpeners(main, *seams, m_http, QIcon());
        main.openers().wizard(nullptr);
        main.openers().options();
        main.openers().language(false);
        main.openers().about();
        m_stillRunning = std::make_unique<StillRunningPrompt>(settings->program(), *languages, values);
        m_stillRunning->load();
        QList<QWidget *> windows;
        for (const char *name :
             {"frmMain", "frmWizard", "frmOptions", "frmLanguage", "frmAbout", "frmStillRunning"}) {
            EXPECT_EQ(topLevels(name).size(), 1) << name;
            windows += topLevels(name);
        }
        return windows;
    }

private:
    // The language window's downloads are not part of these tests.
    class NoHttp final : public HttpGet {
        void DownloadText(const QString &, QObject *, Done) override {}
    } m_http;
    std::unique_ptr<StillRunningPrompt> m_stillRunning;
};

using WindowRoom = ShippedTranslations;

// The room a control's text and indicator need, from the font's and the style's measures
// (not from the control's own size hint); 0 in a direction that does not matter.
QSize needed(const QWidget *control) {
    const QStyle *style = control->style();
    const auto metric = [&](QStyle::PixelMetric which) {
        return style->pixelMetric(which, nullptr, control);
    };
    const auto text = [&](const QString &caption) {
        return control->fontMetrics().size(Qt::TextShowMnemonic, caption);
    };
    if (const bool check = qobject_cast<const QCheckBox *>(control);
        check || qobject_cast<const QRadioButton *>(control)) {
        const auto *box = static_cast<const QAbstractButton *>(control);
        const QSize mark(metric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth),
                         metric(check ? QStyle::PM_IndicatorHeight : QStyle::PM_ExclusiveIndicatorHeight));
        const int spacing =
            metric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing);
        return (text(box->text()) + QSize(mark.width() + spacing, 0)).expandedTo(mark);
    }
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect inside = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int picture = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return text(button->text()) + QSize(picture, 0) + button->size() - inside.size();
    }
    if (const auto *tool = qobject_cast<const QToolButton *>(control);
        tool && !tool->property("elidesText").toBool()) {
        QStyleOptionToolButton option;
        option.initFrom(tool);
        const QSize caption = text(tool->text());
        const QSize contents(std::max(caption.width(), tool->iconSize().width()),
                             caption.height() + tool->iconSize().height());
        return style->sizeFromContents(QStyle::CT_ToolButton, &option, contents, tool);
    }
    if (const auto *label = qobject_cast<const QLabel *>(control); label && !label->text().isEmpty()) {
        const QRect box = label->contentsRect(), tall(0, 0, box.width(), 100000);
        const QSize wrapped(
            0, label->fontMetrics().boundingRect(tall, Qt::TextWordWrap, label->text()).height());
        return (label->wordWrap() ? wrapped : text(label->text())) + label->size() - box.size();
    }
    if (qobject_cast<const QComboBox *>(control) || qobject_cast<const QLineEdit *>(control) ||
        qobject_cast<const QAbstractSpinBox *>(control))
        return {0, control->fontMetrics().height() + 2 * metric(QStyle::PM_DefaultFrameWidth)};
    if (const auto *group = qobject_cast<const QGroupBox *>(control))
        return {text(group->title()).width(), 0};
    return {};
}

// No check box, option button, label, button, text box or group title is cut off or set in a
// smaller font, no control sticks out of its parent or covers another one, and an empty
// schedule list shows every column without scrolling.
QStringList roomProblems(QWidget *window) {
    QList<QWidget *> shown;
    for (QObject *object : windowControls(window))
        if (auto *control = qobject_cast<QWidget *>(object);
            control && !control->isWindow() && control->isVisibleTo(window))
            shown << control;
    QStringList problems;
    for (QWidget *control : std::as_const(shown)) {
        const auto report = [&](const QString &what) {
            problems << window->objectName() + QLatin1Char(' ') + control->objectName() + u": "_s + what;
        };
        if (const QSize need = needed(control);
            need.width() > control->width() || need.height() > control->height())
            report(QString::asprintf("needs %dx%d, has %dx%d", need.width(), need.height(), control->width(),
                                     control->height()));
        if (control->font().pointSizeF() < window->font().pointSizeF())
            report(u"a smaller font than the window's"_s);
        if (!control->parentWidget()->rect().contains(control->geometry()) ||
            !window->rect().contains(QRect(control->mapTo(window, QPoint(0, 0)), control->size())))
            report(u"cut off by "_s + control->parentWidget()->objectName());
        for (const QWidget *other : std::as_const(shown))
            if (std::less<>()(control, other) && other->parentWidget() == control->parentWidget() &&
                other->geometry().intersects(control->geometry()))
                report(u"covers "_s + other->objectName());
        if (auto *list = qobject_cast<QTreeView *>(control);
            list && list->model()->rowCount() == 0 && list->horizontalScrollBar()->maximum() > 0)
            report(u"columns wider than the empty list"_s);
    }
    return problems;
}

} // namespace

TEST_F(ShippedTranslations, EnglishGroupHoldsExactlyTheItemsOfTheWindowsAndMessages) {
    openEveryWindow();
    // The template's English group as the open windows write it, with the program's name, maker
    // and web address turned back into their placeholders, as the shipped file stores them.
    ASSERT_TRUE(languages->makeLocalizationFile());
    QStringList template_ =
        group(ReadLocalizationText(localizationFilePath(dir.path())).value_or(QString()), English);
    for (QString &line : template_)
        line.replace(values.Website, u"[Website]"_s)
            .replace(values.ProgramName, u"[ProgramName]"_s)
            .replace(values.CompanyName, u"[CompanyName]"_s);
    const QStringList shippedLines = group(shippedText(), English);
    const QStringList generated = itemKeys(template_);
    const QStringList shipped = itemKeys(shippedLines);
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

// (A line ending in a bare LF or CR would join two items: the English group or a translation
// would then lack one.)
TEST(ShippedLocalizationFile, IsUtf8WithSixLanguagesEachTranslatingEveryEnglishItem) {
    const QByteArray bytes = readBytes(ShippedPath);
    EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes) << "the file is not valid UTF-8";
    const QString text = shippedText();
    const QStringList languages = ListLanguageNames(text);
    EXPECT_EQ(QSet<QString>(languages.begin(), languages.end()).size(), 6) << "six languages, each once";
    EXPECT_EQ(text.count(u"<LANGUAGE_GROUP"_s), languages.size()) << "a group the reader cannot name";
    const QStringList english = group(text, English);
    const QStringList englishKeys = itemKeys(english);
    ASSERT_FALSE(englishKeys.isEmpty());
    for (const QString &language : languages) {
        const QStringList lines = group(text, language);
        const QStringList keys = itemKeys(lines);
        QStringList problems;
        for (const QString &key : englishKeys) {
            if (!keys.contains(key)) {
                problems << u"missing "_s + key;
                continue;
            }
            const QString source = FindItemText(english, key), translation = FindItemText(lines, key);
            // An empty text counts as no translation: the control would keep another language.
            if (!source.isEmpty() && translation.isEmpty())
                problems << u"empty "_s + key;
            // The program's name and maker stay where English has them; the web address may
            // be left out (it seldom fits a translated caption), but none may be added.
            for (const QString &value : {u"[ProgramName]"_s, u"[CompanyName]"_s, u"[Website]"_s})
                if (const qsizetype had = source.count(value), has = translation.count(value);
                    has > had || (has < had && value != u"[Website]"_s))
                    problems << u"placeholders differ in "_s + key;
            if (hasAccessKey(source) != hasAccessKey(translation))
                problems << u"access key added or lost in "_s + key;
        }
        for (const QString &key : keys)
            if (!englishKeys.contains(key))
                problems << u"not in English: "_s + key;
        EXPECT_TRUE(problems.isEmpty()) << qPrintable(language) << ": " << qPrintable(problems.join(u", "_s));
    }
}

// English is looked at first, at the design size.
TEST_F(WindowRoom, EveryControlHasRoomForItsTextInEveryShippedLanguage) {
    const QList<QWidget *> windows = openEveryWindow();
    ProgramValues shippedValues;
    LanguageEngine shipped(ShippedPath, shippedValues);
    QStringList problems;
    for (const QString &language : ListLanguageNames(shippedText()))
        for (QWidget *window : windows) {
            shipped.ChangeLanguage(window, language);
            window->show();
            QCoreApplication::processEvents();
            for (const QString &problem : roomProblems(window))
                problems << language + u": "_s + problem;
        }
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));
}

} // namespace vesperon::test
