// Translation at the level that sees every kind of control: a window with one control of each
// kind, a language file in a temporary folder, and the engine that applies and writes it.
// The shipped file against the real windows is in app/ShippedTranslationsTest.
#include "localization/LanguageEngine.h"
#include "LocalizationSamples.h"
#include "localization/LocalizationFile.h"
#include "localization/WindowRegistry.h"
#include "support/Testing.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTreeView>
#include <memory>

namespace vesperon {
namespace {

using test::languageGroup;
using test::writeBytes;

template <class T, class Parent>
T *named(Parent *parent, const char *name, const QString &text, int index = -1) {
    auto *object = new T(parent);
    object->setObjectName(QString::fromLatin1(name));
    if (index >= 0)
        object->setProperty("index", index);
    if constexpr (std::is_base_of_v<QMenu, T> || std::is_base_of_v<QGroupBox, T>)
        object->setTitle(text);
    else if constexpr (!std::is_same_v<T, QWidget> && !std::is_same_v<T, QTabWidget> &&
                       !std::is_same_v<T, QTreeView>)
        object->setText(text);
    return object;
}

// A window with one control of every kind, an indexed group and a child window of its own.
std::unique_ptr<QWidget> testWindow() {
    auto window = std::make_unique<QWidget>();
    QWidget *w = window.get();
    w->setObjectName("frmTest");
    w->setWindowTitle("Test window");
    auto *bar = new QMenuBar(w);
    QMenu *file = named<QMenu>(bar, "mnuFile", "&File", 0);
    bar->addMenu(file);
    for (int i = 0; i < 2; ++i)
        file->addAction(named<QAction>(file, "mnuFileItem", u"Item %1"_s.arg(i), i));
    named<QLabel>(w, "Label1", "Label text");
    named<QLabel>(w, "SkinLabel1", "Skin text")->setProperty("controlKind", "SkinLabel");
    for (int i = 0; i < 2; ++i)
        named<QLabel>(w, "lblInfo", u"info %1"_s.arg(i), i);
    named<QLineEdit>(w, "txtName", "not translated");
    named<QPushButton>(w, "cmdOK", "&OK");
    auto *frame = named<QGroupBox>(w, "frRepeat", "Repeat");
    named<QCheckBox>(frame, "chkRepeat", "Repeat it");
    for (int i = 0; i < 3; ++i)
        named<QRadioButton>(frame, "optRepeat", u"Option %1"_s.arg(i), i);
    auto *tabs = named<QTabWidget>(w, "tsMain", QString());
    tabs->addTab(new QWidget, "First");
    tabs->addTab(new QWidget, "Second");
    auto *list = named<QTreeView>(w, "lstSchedules", QString());
    auto *model = new QStandardItemModel(0, 2, list);
    model->setHorizontalHeaderLabels({"Name", "Type"});
    list->setModel(model);
    auto *child = named<QWidget>(w, "frmChild", QString());
    child->setWindowFlags(Qt::Window);
    named<QPushButton>(child, "cmdChild", "child");
    return window;
}

// What the control of that name (and index) shows: a menu's or a frame's title, or its text.
QString shownBy(const QWidget *window, const char *name, int index = -1) {
    for (const QObject *control : window->findChildren<QObject *>(QLatin1String(name))) {
        if (index >= 0 && control->property("index") != index)
            continue;
        if (const auto *menu = qobject_cast<const QMenu *>(control))
            return menu->title();
        if (const auto *frame = qobject_cast<const QGroupBox *>(control))
            return frame->title();
        return control->property("text").toString();
    }
    return u"<no %1>"_s.arg(QLatin1String(name));
}

class LanguageEngineTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ProgramValues values;
    LanguageEngine languages{localizationFilePath(dir.path()), values};
    WindowRegistry registry;

    void SetUp() override {
        languages.setWindowRegistry(&registry);
        SetDefaultMessages(languages);
    }
    void writeFile(const QByteArray &groups) {
        writeBytes(localizationFilePath(dir.path()),
                   "\xEF\xBB\xBF<XML_DIZ_INFO>\r\n" + groups + "</XML_DIZ_INFO>\r\n");
    }
};

TEST_F(LanguageEngineTest, EveryKindOfControlIsTranslated) {
    const std::unique_ptr<QWidget> t = testWindow();
    writeFile(languageGroup(
        "Deutsch",
        {"<FRMTEST_MNUFILE0>&Datei</FRMTEST_MNUFILE0>",
         "<FRMTEST_MNUFILEITEM1>Eintrag eins</FRMTEST_MNUFILEITEM1>",
         "<FRMTEST_LABEL1>Beschriftung</FRMTEST_LABEL1>",
         "<FRMTEST_SKINLABEL1>[ProgramName] Haut</FRMTEST_SKINLABEL1>",
         "<FRMTEST_LBLINFO>Hinweis</FRMTEST_LBLINFO>", "<FRMTEST_CMDOK>&Gut</FRMTEST_CMDOK>",
         "<FRMTEST_FRREPEAT>Wiederholen</FRMTEST_FRREPEAT>",
         "<FRMTEST_CHKREPEAT>wiederholen</FRMTEST_CHKREPEAT>",
         "<FRMTEST_OPTREPEAT0>Option null</FRMTEST_OPTREPEAT0>",
         "<FRMTEST_OPTREPEAT2>Option zwei</FRMTEST_OPTREPEAT2>",
         "<FRMTEST_TSMAIN_TABS2>Zweite</FRMTEST_TSMAIN_TABS2>",
         "<FRMTEST_LSTSCHEDULES_COL1>Name (de)</FRMTEST_LSTSCHEDULES_COL1>",
         "<FRMTEST_LSTSCHEDULES_COL2></FRMTEST_LSTSCHEDULES_COL2>", "<FRMTEST_TXTNAME>nein</FRMTEST_TXTNAME>",
         "<FRMCHILD_CMDCHILD>Kind</FRMCHILD_CMDCHILD>", "<FRMTEST_CAPTION>Testfenster</FRMTEST_CAPTION>",
         "<MSG_TITLE>[ProgramName] von [CompanyName]</MSG_TITLE>"}));
    languages.ChangeLanguage(t.get(), "deutsch");

    const auto *tabs = t->findChild<QTabWidget *>();
    const QAbstractItemModel *columns = t->findChild<QTreeView *>()->model();
    const std::pair<QString, const char *> shown[] = {
        {shownBy(t.get(), "mnuFile"), "&Datei"},
        {shownBy(t.get(), "mnuFileItem", 0), "Item 0"}, // a control without an item keeps its own text
        {shownBy(t.get(), "mnuFileItem", 1), "Eintrag eins"},
        {shownBy(t.get(), "Label1"), "Beschriftung"},
        {shownBy(t.get(), "SkinLabel1"), "Vesperon Haut"},
        {shownBy(t.get(), "lblInfo", 0), "Hinweis"},
        {shownBy(t.get(), "cmdOK"), "&Gut"},
        {shownBy(t.get(), "frRepeat"), "Wiederholen"},
        {shownBy(t.get(), "chkRepeat"), "Wiederholen"},
        {shownBy(t.get(), "optRepeat", 0), "Option null"},
        {shownBy(t.get(), "optRepeat", 2), "Option zwei"},
        {tabs->tabText(1), "Zweite"},
        {columns->headerData(0, Qt::Horizontal).toString(), "Name (de)"},
        {columns->headerData(1, Qt::Horizontal).toString(), "Type"}, // an empty item is no translation
        {shownBy(t.get(), "txtName"), "not translated"},
        {shownBy(t.get(), "cmdChild"), "child"}, // another window owned by this one is not part of it
        {t->windowTitle(), "Testfenster"},
        {languages.getMessages("MSG_TITLE"), "Vesperon von Quillmark"},
    };
    for (const auto &[text, expected] : shown)
        EXPECT_EQ(text, QString::fromUtf8(expected));
    EXPECT_EQ(values.CurrentLanguage, "deutsch");
}

TEST_F(LanguageEngineTest, MessagesReplacePlaceholdersCapitaliseAndStopAt201) {
    languages.setMessage("MSG_A", "[programname] and [COMPANYNAME] at [Website]");
    languages.setMessage("MSG_LOWER", "\u00e9t\u00e9 [companyname]");
    languages.setMessage("msg_sure", "Second text"); // a duplicate takes a new row, the first wins
    EXPECT_EQ(languages.getMessages("msg_a"), "Vesperon and Quillmark at [Website]");
    EXPECT_EQ(languages.getMessages("MSG_LOWER"), QString::fromUtf8("\u00c9t\u00e9 Quillmark"));
    EXPECT_EQ(languages.getMessages("MSG_SURE"),
              "Are you sure you want to perform the selected action immediately?");
    for (int i = languages.messages().usedRows(); i < MessageTable::Rows; ++i)
        languages.setMessage(u"MSG_FILL%1"_s.arg(i), u"fill %1"_s.arg(i));
    EXPECT_EQ(languages.getMessages("MSG_FILL200"), "Fill 200");
    languages.setMessage("MSG_EXTRA", "extra");
    EXPECT_EQ(languages.messages().usedRows(), 201);
    EXPECT_EQ(languages.getMessages("MSG_EXTRA"), "");
}

// Which language is in force after a change, and what the captions read then.
TEST_F(LanguageEngineTest, AMissingOrBrokenLanguageFallsBackAsTheRulesSay) {
    values.Website = "http://example.test";
    writeFile(languageGroup("English", {"<K1>english</K1>", "<K2>visit [website] of [companyNAME]</K2>",
                                        "<MSG_DELETE>Delete it?</MSG_DELETE>"}) +
              languageGroup("Deutsch", {"<K1>deutsch</K1>", "<MSG_DELETE>l\xc3\xb6schen?</MSG_DELETE>"}) +
              "<LANGUAGE_GROUP><LANGUAGE_NAME>Oneline</LANGUAGE_NAME><TRANSLATION_ITEMS><K1>one</K1>"
              "</TRANSLATION_ITEMS></LANGUAGE_GROUP>\r\n");
    const struct {
        const char *before, *asked, *inForce, *k1;
    } cases[] = {
        {"English", "Deutsch", "Deutsch", "Deutsch"},
        {"Deutsch", "Klingon", "Klingon", "Deutsch"}, // the lines loaded before stay
        {nullptr, "Klingon", "English", "English"},   // at start-up: English
        {"Deutsch", "Oneline", "English", "English"}, // items on one line cannot be told apart
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.asked);
        LanguageEngine engine(localizationFilePath(dir.path()), values);
        if (c.before)
            engine.ChangeLanguage(nullptr, c.before);
        engine.ChangeLanguage(nullptr, c.asked);
        EXPECT_EQ(values.CurrentLanguage, c.inForce);
        EXPECT_EQ(engine.getCaption("k1"), c.k1);
    }
    languages.ChangeLanguage(nullptr, "Deutsch");
    EXPECT_EQ(languages.getMessages("MSG_DELETE"), QString::fromUtf8("L\u00f6schen?"));
    languages.ChangeLanguage(nullptr, "English");
    EXPECT_EQ(languages.getMessages("MSG_DELETE"), "Delete it?");
    EXPECT_EQ(languages.getCaption("K2"), "Visit http://example.test of Quillmark");
}

} // namespace
} // namespace vesperon
