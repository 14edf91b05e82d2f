// Translation at the level that writes every kind of text: a window with a control of each kind
// whose text is set in its own way, a language file in a temporary folder, and the engine that
// applies it. Labels and buttons share the setter LanguageWindowTest sees on its buttons; which
// keys each kind of control has is checked against the shipped file in app/ShippedTranslationsTest.
#include "localization/LanguageEngine.h"
#include "LocalizationSamples.h"
#include "localization/LocalizationFile.h"
#include "support/Testing.h"

#include <QMenuBar>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTreeView>

namespace vesperon {
namespace {

using test::languageGroup;

class LanguageEngineTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ProgramValues values;
    LanguageEngine languages{localizationFilePath(dir.path()), values};

    void SetUp() override { SetDefaultMessages(languages); }
    void writeFile(const QByteArray &groups) { test::writeBytes(localizationFilePath(dir.path()), groups); }
};

TEST_F(LanguageEngineTest, EveryWayOfSettingATextIsTranslated) {
    QWidget window;
    window.setObjectName("frmTest");
    window.setWindowTitle("Test window");
    auto *bar = new QMenuBar(&window);
    QMenu *menu = bar->addMenu("&File");
    menu->setObjectName("mnuFile");
    QAction *item = menu->addAction("Item");
    item->setObjectName("mnuFileItem");
    item->setProperty("index", 1);
    auto *tabs = new QTabWidget(&window);
    tabs->setObjectName("tsMain");
    tabs->addTab(new QWidget, "First");
    tabs->addTab(new QWidget, "Second");
    auto *list = new QTreeView(&window);
    list->setObjectName("lstSchedules");
    auto *model = new QStandardItemModel(0, 2, list);
    model->setHorizontalHeaderLabels({"Name", "Type"});
    list->setModel(model);

    writeFile(languageGroup("Deutsch", {"<FRMTEST_MNUFILE0>&Datei</FRMTEST_MNUFILE0>",
                                        "<FRMTEST_MNUFILEITEM1>Eintrag eins</FRMTEST_MNUFILEITEM1>",
                                        "<FRMTEST_TSMAIN_TABS2>Zweite</FRMTEST_TSMAIN_TABS2>",
                                        "<FRMTEST_LSTSCHEDULES_COL1>Name (de)</FRMTEST_LSTSCHEDULES_COL1>",
                                        "<FRMTEST_LSTSCHEDULES_COL2></FRMTEST_LSTSCHEDULES_COL2>",
                                        "<FRMTEST_CAPTION>Testfenster</FRMTEST_CAPTION>",
                                        "<MSG_TITLE>[ProgramName] von [CompanyName]</MSG_TITLE>"}));
    languages.ChangeLanguage(&window, "deutsch");

    const std::pair<QString, const char *> shown[] = {
        {menu->title(), "&Datei"},
        {item->text(), "Eintrag eins"},
        {tabs->tabText(1), "Zweite"},
        {model->headerData(0, Qt::Horizontal).toString(), "Name (de)"},
        {model->headerData(1, Qt::Horizontal).toString(), "Type"}, // an empty item is none
        {window.windowTitle(), "Testfenster"},
        {languages.getMessages("MSG_TITLE"), "Vesperon von Quillmark"},
    };
    for (const auto &[text, expected] : shown)
        EXPECT_EQ(text, QString::fromUtf8(expected));
}

// Which language is in force after a change, and what the captions read then.
TEST_F(LanguageEngineTest, AMissingOrBrokenLanguageFallsBackAsTheRulesSay) {
    values.Website = "http://example.test";
    writeFile(languageGroup("English", {"<K1>english</K1>", "<K2>visit [website] of [companyNAME]</K2>"}) +
              languageGroup("Deutsch", {"<K1>deutsch</K1>"}) +
              "<LANGUAGE_GROUP><LANGUAGE_NAME>Oneline</LANGUAGE_NAME><TRANSLATION_ITEMS><K1>one</K1>"
              "</TRANSLATION_ITEMS></LANGUAGE_GROUP>\r\n");
    const struct {
        const char *before, *asked, *inForce, *k1;
    } cases[] = {
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
    languages.ChangeLanguage(nullptr, "English");
    EXPECT_EQ(languages.getCaption("K2"), "Visit http://example.test of Quillmark");
}

} // namespace
} // namespace vesperon
