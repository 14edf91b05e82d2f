#include "localization/WindowTexts.h"
#include "localization/LanguageEngine.h"
#include "localization/LocalizationFile.h"
#include "localization/WindowRegistry.h"
#include "support/TestFiles.h"

#include "support/QtPrinters.h"
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
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>
#include <memory>

namespace vesperon {
namespace {

using test::readBytes;
using test::writeBytes;

template <class T, class Parent> T *named(Parent *parent, const char *name, int index = -1) {
    auto *object = new T(parent);
    object->setObjectName(QString::fromLatin1(name));
    if (index >= 0)
        object->setProperty("index", index);
    return object;
}

// A window with one control of every kind, indexed groups, controls without items and a
// child window of its own.
struct TestWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLabel *label;
    QLabel *skinLabel;
    QLabel *info0;
    QLabel *info1;
    QPushButton *button;
    QGroupBox *frame;
    QCheckBox *check;
    QRadioButton *options[3];
    QTabWidget *tabs;
    QTreeView *list;
    QStandardItemModel *model;
    QMenu *fileMenu;
    QAction *fileItems[3];
    QMenu *trayMenu;
    QAction *trayItem;

    explicit TestWindow(const char *name = "frmTest") {
        QWidget *w = window.get();
        w->setObjectName(QString::fromLatin1(name));
        w->setWindowTitle("Test window");
        auto *bar = new QMenuBar(w);
        fileMenu = named<QMenu>(bar, "mnuFile", 0);
        fileMenu->setTitle("&File");
        bar->addMenu(fileMenu);
        for (int i = 0; i < 3; ++i) {
            fileItems[i] = named<QAction>(fileMenu, "mnuFileItem", i);
            fileItems[i]->setText(QStringLiteral("Item %1").arg(i));
            fileMenu->addAction(fileItems[i]);
        }
        label = named<QLabel>(w, "Label1");
        label->setText("Label text");
        skinLabel = named<QLabel>(w, "SkinLabel1");
        skinLabel->setProperty("controlKind", "SkinLabel");
        skinLabel->setText("Skin text");
        info0 = named<QLabel>(w, "lblInfo", 0);
        info0->setText("info 0");
        info1 = named<QLabel>(w, "lblInfo", 1);
        info1->setText("info 1");
        named<QLineEdit>(w, "txtName")->setText("not translated");
        button = named<QPushButton>(w, "cmdOK");
        button->setText("&OK");
        frame = named<QGroupBox>(w, "frRepeat");
        frame->setTitle("Repeat");
        check = named<QCheckBox>(frame, "chkRepeat");
        check->setText("Repeat it");
        for (int i = 0; i < 3; ++i) {
            options[i] = named<QRadioButton>(frame, "optRepeat", i);
            options[i]->setText(QStringLiteral("Option %1").arg(i));
        }
        tabs = named<QTabWidget>(w, "tsMain");
        tabs->addTab(named<QWidget>(static_cast<QWidget *>(nullptr), "page1"), "First");
        tabs->addTab(named<QWidget>(static_cast<QWidget *>(nullptr), "page2"), "Second");
        list = named<QTreeView>(w, "lstSchedules");
        model = new QStandardItemModel(0, 2, list);
        model->setHorizontalHeaderLabels({"Name", "Type"});
        list->setModel(model);
        auto *tree = named<QTreeWidget>(w, "tvScheduleWeek");
        tree->setHeaderHidden(true);
        trayMenu = named<QMenu>(w, "mnuTray");
        trayMenu->setTitle("Tray");
        trayItem = named<QAction>(trayMenu, "mnuTrayItem", 2);
        trayItem->setText("Exit");
        trayMenu->addAction(trayItem);
        // Another window owned by this one is not part of it.
        auto *child = named<QWidget>(w, "frmChild");
        child->setWindowFlags(Qt::Window);
        named<QPushButton>(child, "cmdChild")->setText("child");
    }
};

QStringList keysOf(QWidget *window) {
    QStringList keys;
    for (QObject *control : windowControls(window)) {
        for (const WindowText &text : controlTexts(control, window->objectName()))
            keys.append(text.key);
    }
    keys.append(windowCaption(window).key);
    return keys;
}

TEST(ControlKinds, KeysComeOutInControlOrder) {
    TestWindow t;
    EXPECT_EQ(keysOf(t.window.get()), (QStringList{"frmTest_mnuFile0",
                                                   "frmTest_mnuFileItem0",
                                                   "frmTest_mnuFileItem1",
                                                   "frmTest_mnuFileItem2",
                                                   "frmTest_Label1",
                                                   "frmTest_SkinLabel1",
                                                   "frmTest_lblInfo",
                                                   "frmTest_lblInfo",
                                                   "frmTest_cmdOK",
                                                   "frmTest_frRepeat",
                                                   "frmTest_chkRepeat",
                                                   "frmTest_optRepeat0",
                                                   "frmTest_optRepeat1",
                                                   "frmTest_optRepeat2",
                                                   "frmTest_tsMain_TABS1",
                                                   "frmTest_tsMain_TABS2",
                                                   "frmTest_lstSchedules_COL1",
                                                   "frmTest_lstSchedules_COL2",
                                                   "frmTest_mnuTray0",
                                                   "frmTest_mnuTrayItem2",
                                                   "FRMTEST_CAPTION"}));
}

class TranslationTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ProgramValues values;
    LanguageEngine languages{localizationFilePath(dir.path()), values};
    WindowRegistry registry;

    void SetUp() override {
        languages.setWindowRegistry(&registry);
        SetDefaultMessages(languages);
    }
};

TEST_F(TranslationTest, EveryKindOfControlIsTranslated) {
    TestWindow t;
    writeBytes(localizationFilePath(dir.path()),
               "\xEF\xBB\xBF<XML_DIZ_INFO>\r\n<LANGUAGE_GROUP xml:lang=\"de\">\r\n\t<LANGUAGE_NAME>Deutsch"
               "</LANGUAGE_NAME>\r\n\t<TRANSLATION_ITEMS>\r\n"
               "\t\t<FRMTEST_MNUFILE0>&Datei</FRMTEST_MNUFILE0>\r\n"
               "\t\t<FRMTEST_MNUFILEITEM1>Eintrag eins</FRMTEST_MNUFILEITEM1>\r\n"
               "\t\t<FRMTEST_LABEL1>Beschriftung</FRMTEST_LABEL1>\r\n"
               "\t\t<FRMTEST_SKINLABEL1>[ProgramName] Haut</FRMTEST_SKINLABEL1>\r\n"
               "\t\t<FRMTEST_LBLINFO>Hinweis</FRMTEST_LBLINFO>\r\n"
               "\t\t<FRMTEST_CMDOK>&Gut</FRMTEST_CMDOK>\r\n"
               "\t\t<FRMTEST_FRREPEAT>Wiederholen</FRMTEST_FRREPEAT>\r\n"
               "\t\t<FRMTEST_CHKREPEAT>wiederholen</FRMTEST_CHKREPEAT>\r\n"
               "\t\t<FRMTEST_OPTREPEAT0>Option null</FRMTEST_OPTREPEAT0>\r\n"
               "\t\t<FRMTEST_OPTREPEAT2>Option zwei</FRMTEST_OPTREPEAT2>\r\n"
               "\t\t<FRMTEST_TSMAIN_TABS2>Zweite</FRMTEST_TSMAIN_TABS2>\r\n"
               "\t\t<FRMTEST_LSTSCHEDULES_COL1>Name (de)</FRMTEST_LSTSCHEDULES_COL1>\r\n"
               "\t\t<FRMTEST_LSTSCHEDULES_COL2></FRMTEST_LSTSCHEDULES_COL2>\r\n"
               "\t\t<FRMTEST_MNUTRAY0>Leiste</FRMTEST_MNUTRAY0>\r\n"
               "\t\t<FRMTEST_MNUTRAYITEM2>Beenden</FRMTEST_MNUTRAYITEM2>\r\n"
               "\t\t<FRMCHILD_CMDCHILD>Kind</FRMCHILD_CMDCHILD>\r\n"
               "\t\t<FRMTEST_CAPTION>Testfenster</FRMTEST_CAPTION>\r\n"
               "\t\t<MSG_TITLE>[ProgramName] von [CompanyName]</MSG_TITLE>\r\n"
               "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n</XML_DIZ_INFO>\r\n");
    languages.ChangeLanguage(t.window.get(), "deutsch");

    EXPECT_EQ(t.fileMenu->title(), "&Datei");
    EXPECT_EQ(t.fileItems[0]->text(), "Item 0");
    EXPECT_EQ(t.fileItems[1]->text(), "Eintrag eins");
    EXPECT_EQ(t.label->text(), "Beschriftung");
    EXPECT_EQ(t.skinLabel->text(), "Vesperon Haut");
    EXPECT_EQ(t.info0->text(), "Hinweis");
    EXPECT_EQ(t.info1->text(), "Hinweis");
    EXPECT_EQ(t.button->text(), "&Gut");
    EXPECT_EQ(t.frame->title(), "Wiederholen");
    EXPECT_EQ(t.check->text(), "Wiederholen");
    EXPECT_EQ(t.options[0]->text(), "Option null");
    // A control without an item keeps its own text, not the one before it.
    EXPECT_EQ(t.options[1]->text(), "Option 1");
    EXPECT_EQ(t.options[2]->text(), "Option zwei");
    EXPECT_EQ(t.tabs->tabText(0), "First");
    EXPECT_EQ(t.tabs->tabText(1), "Zweite");
    EXPECT_EQ(t.model->headerData(0, Qt::Horizontal).toString(), "Name (de)");
    EXPECT_EQ(t.model->headerData(1, Qt::Horizontal).toString(), "Type"); // an empty item is no translation
    EXPECT_EQ(t.trayMenu->title(), "Leiste");
    EXPECT_EQ(t.trayItem->text(), "Beenden");
    EXPECT_EQ(t.window->findChild<QLineEdit *>("txtName")->text(), "not translated");
    EXPECT_EQ(t.window->findChild<QPushButton *>("cmdChild")->text(), "child");
    EXPECT_EQ(t.window->windowTitle(), "Testfenster");
    EXPECT_EQ(languages.getMessages("MSG_TITLE"), "Vesperon von Quillmark");
    EXPECT_EQ(values.CurrentLanguage, "deutsch");
}

TEST_F(TranslationTest, TemplateHoldsLiveWindowsInCreationOrderThenMessages) {
    writeBytes(localizationFilePath(dir.path()),
               "<LANGUAGE_GROUP><LANGUAGE_NAME>Old</LANGUAGE_NAME></LANGUAGE_GROUP>");
    auto gone = std::make_unique<QWidget>();
    gone->setObjectName("frmGone");
    registry.registerWindow(gone.get());
    TestWindow first("frmMain");
    registry.registerWindow(first.window.get());
    auto bare = std::make_unique<QWidget>();
    bare->setObjectName("frmAbout");
    bare->setWindowTitle("About");
    registry.registerWindow(bare.get());
    registry.registerWindow(first.window.get()); // registered once only
    gone.reset();
    // The hook loads the window that must be part of the file; it stays loaded.
    std::unique_ptr<QWidget> wizard;
    languages.setBeforeTemplate([&] {
        if (wizard)
            return;
        wizard = std::make_unique<QWidget>();
        wizard->setObjectName("frmWizard");
        wizard->setWindowTitle("Wizard");
        registry.registerWindow(wizard.get());
    });
    languages.setMessage("MSG_Extra", "[Website] only here");

    ASSERT_TRUE(languages.makeLocalizationFile());
    const QByteArray once = readBytes(localizationFilePath(dir.path()));
    ASSERT_TRUE(languages.makeLocalizationFile());
    EXPECT_EQ(readBytes(localizationFilePath(dir.path())), once);

    const QString text = *ReadLocalizationText(localizationFilePath(dir.path()));
    EXPECT_EQ(ListLanguageNames(text), QStringList{"English"});
    const QStringList lines = *FindLanguageGroup(text, "English");
    QStringList keys;
    for (const QString &line : lines) {
        const qsizetype open = line.indexOf('<'), close = line.indexOf('>');
        if (open >= 0 && close > open)
            keys.append(line.mid(open + 1, close - open - 1));
    }
    QStringList expected;
    for (const QString &key : keysOf(first.window.get()))
        expected.append(key.toUpper());
    expected << "FRMABOUT_CAPTION"
             << "FRMWIZARD_CAPTION";
    for (int row = 0; row < languages.messages().usedRows(); ++row)
        expected.append(languages.messages().row(row).strName.toUpper());
    EXPECT_EQ(keys, expected);
    EXPECT_TRUE(lines.contains("\t\t<FRMMAIN_LSTSCHEDULES_COL1>Name</FRMMAIN_LSTSCHEDULES_COL1>"));
    EXPECT_TRUE(lines.contains("\t\t<FRMMAIN_MNUTRAY0>Tray</FRMMAIN_MNUTRAY0>"));
    EXPECT_TRUE(lines.contains("\t\t<FRMMAIN_CAPTION>Test window</FRMMAIN_CAPTION>"));
    EXPECT_TRUE(lines.contains("\t\t<MSG_TITLE>[ProgramName] by [CompanyName]</MSG_TITLE>"));
    EXPECT_TRUE(lines.contains("\t\t<MSG_EXTRA>[Website] only here</MSG_EXTRA>"));
}

TEST_F(TranslationTest, TemplateWrittenAfterATranslationHoldsTheTranslatedTexts) {
    TestWindow t("frmMain");
    registry.registerWindow(t.window.get());
    writeBytes(localizationFilePath(dir.path()),
               "<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME><TRANSLATION_ITEMS>\r\n"
               "\t\t<FRMMAIN_CMDOK>Gut</FRMMAIN_CMDOK>\r\n"
               "\t\t<MSG_TITLE>[ProgramName] von [CompanyName]</MSG_TITLE>\r\n"
               "</TRANSLATION_ITEMS></LANGUAGE_GROUP>");
    languages.ChangeLanguage(t.window.get(), "Deutsch");
    ASSERT_TRUE(languages.makeLocalizationFile());
    const QStringList lines =
        *FindLanguageGroup(*ReadLocalizationText(localizationFilePath(dir.path())), "English");
    EXPECT_EQ(FindItemText(lines, "frmMain_cmdOK"), "Gut");
    EXPECT_EQ(FindItemText(lines, "MSG_TITLE"), "Vesperon von Quillmark");
    // The English template is now the only group, so Deutsch is gone and English applies.
    TestWindow fresh("frmMain");
    languages.ChangeLanguage(fresh.window.get(), "Deutsch");
    EXPECT_EQ(values.CurrentLanguage, "Deutsch");
    EXPECT_EQ(fresh.button->text(), "Gut");
}

} // namespace
} // namespace vesperon
