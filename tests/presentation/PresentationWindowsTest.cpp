#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "core/ProductInfo.h"
#include "presentation/AboutDialog.h"
#include "presentation/VersionInfo.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace vesperon;

namespace {

// The help document the program opens from its application folder on this platform.
#ifdef Q_OS_WIN
const char *const HelpDocument = "Help.chm";
#else
const char *const HelpDocument = "help/index.html";
#endif

class PresentationWindowsTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        build();
    }
    void installOpeners(MainWindow &main) override {
        MainWindowFixture::installOpeners(main);
        installPresentationWindows(main, *seams);
    }
    void TearDown() override {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("frmAbout"))
                delete w;
        }
    }
    template <typename T> static T *loaded(const char *name) {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String(name))
                return qobject_cast<T *>(w);
        }
        return nullptr;
    }
    static QString text(QWidget *window, const char *label) {
        auto *l = window->findChild<QLabel *>(QLatin1String(label));
        return l ? l->text() : QStringLiteral("<missing>");
    }
};

TEST(VersionInfoTest, VersionIsMajorDotMinorInPlainDecimals) {
    EXPECT_EQ(versionText(1, 2), QStringLiteral("1.2"));
    EXPECT_EQ(versionText(10, 0), QStringLiteral("10.0"));
    EXPECT_EQ(versionText(0, 15), QStringLiteral("0.15"));
}

TEST(VersionInfoTest, WebAddressGetsAHttpSchemeOnlyWhenItHasNone) {
    EXPECT_EQ(websiteAddress("www.quillmark.example"), "http://www.quillmark.example");
    EXPECT_EQ(websiteAddress("quillmark.example/vesperon"), "http://quillmark.example/vesperon");
    EXPECT_EQ(websiteAddress("http://www.quillmark.example"), "http://www.quillmark.example");
    EXPECT_EQ(websiteAddress("https://www.quillmark.example"), "https://www.quillmark.example");
    EXPECT_EQ(websiteAddress("HTTP://WWW.QUILLMARK.EXAMPLE"), "HTTP://WWW.QUILLMARK.EXAMPLE");
    EXPECT_EQ(websiteAddress("HtTpS://quillmark.example"), "HtTpS://quillmark.example");
    // A scheme written as "http:" without the slashes is not one.
    EXPECT_EQ(websiteAddress("http:quillmark.example"), "http://http:quillmark.example");
    EXPECT_EQ(websiteAddress("ftp://quillmark.example"), "http://ftp://quillmark.example");
}

TEST_F(PresentationWindowsTest, AboutShowsTheProductValuesUnderItsTitle) {
    SetDefaultMessages(*languages);
    values.CompanyName = QStringLiteral("someone else"); // the window shows what the program holds
    window->openers().about();
    auto *about = loaded<AboutDialog>("frmAbout");
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Vesperon"));
    EXPECT_EQ(text(about, "Label1"), QStringLiteral("Vesperon"));
    EXPECT_EQ(text(about, "lblCompany"), QStringLiteral("someone else"));
    EXPECT_EQ(text(about, "lblVersion"), versionText(product::VersionMajor, product::VersionMinor));
    EXPECT_EQ(text(about, "lblWebsite"), QStringLiteral("http://www.quillmark.example"));
    EXPECT_FALSE(about->findChild<QLabel *>(QStringLiteral("Picture1"))->pixmap().isNull());

    // A second About brings up the same window.
    window->openers().about();
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        count += w->objectName() == QLatin1String("frmAbout");
    EXPECT_EQ(count, 1);
}

TEST_F(PresentationWindowsTest, AboutIsTranslatedButKeepsTheProductValuesAndItsTitleMessage) {
    test::writeBytes(dir.filePath("Localization.txt"),
                     "<XML_DIZ_INFO>\r\n<LANGUAGE_GROUP>\r\n\t<LANGUAGE_NAME>Deutsch</LANGUAGE_NAME>\r\n"
                     "\t<TRANSLATION_ITEMS>\r\n"
                     "\t\t<FRMABOUT_LABEL3>Besitzer:</FRMABOUT_LABEL3>\r\n"
                     "\t\t<FRMABOUT_LBLVERSION>9.9</FRMABOUT_LBLVERSION>\r\n"
                     "\t\t<FRMABOUT_CAPTION>Fenster</FRMABOUT_CAPTION>\r\n"
                     "\t\t<MSG_TITLEABOUT>\xc3\x9c"
                     "ber [ProgramName]</MSG_TITLEABOUT>\r\n"
                     "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n</XML_DIZ_INFO>\r\n");
    SetDefaultMessages(*languages);
    values.CurrentLanguage = QStringLiteral("Deutsch");
    window->openers().about();
    auto *about = loaded<AboutDialog>("frmAbout");
    ASSERT_TRUE(about);
    EXPECT_EQ(text(about, "Label3"), QStringLiteral("Besitzer:"));
    EXPECT_EQ(text(about, "lblVersion"), versionText(product::VersionMajor, product::VersionMinor));
    EXPECT_EQ(about->windowTitle(), QString::fromUtf8("\xc3\x9c"
                                                      "ber Vesperon"));
}

TEST_F(PresentationWindowsTest, HelpOpensOnlyAnExistingHelpFileAndRecordsIt) {
    window->openers().help();
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_EQ(program("showHelp", "unset"), QStringLiteral("unset"));

    QDir(dir.path()).mkpath(QLatin1String(HelpDocument)); // a folder of that name is no help file
    window->openers().help();
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_EQ(program("showHelp", "unset"), QStringLiteral("unset"));
    QDir(dir.path()).rmdir(QLatin1String(HelpDocument));

    test::writeBytes(dir.filePath(HelpDocument), "ITSF");
    shell.answer = false; // a document the desktop could not open still counts as shown
    window->openers().help();
    EXPECT_EQ(shell.opened, QStringList{dir.filePath(HelpDocument)});
    EXPECT_EQ(program("showHelp", "unset"), QStringLiteral("0"));
    EXPECT_EQ(user("showHelp", "unset"), QStringLiteral("unset")); // the per-user copy is the main window's
}

TEST_F(PresentationWindowsTest, FirstStartOpensTheHelpFromTheMainWindow) {
    QDir().mkpath(QFileInfo(dir.filePath(HelpDocument)).path());
    test::writeBytes(dir.filePath(HelpDocument), "ITSF");
    start();
    EXPECT_EQ(shell.opened, QStringList{dir.filePath(HelpDocument)});
    EXPECT_EQ(program("showHelp"), QStringLiteral("0"));
}

TEST_F(PresentationWindowsTest, WebsiteButtonPressedTwiceWithinASecondOpensTheAddressOnce) {
    start();
    auto *button = control<QAbstractButton>("cmdWebsite");
    QElapsedTimer sinceFirst;
    sinceFirst.start();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(shell.opened, QStringList{QStringLiteral("http://www.quillmark.example")});
    QTest::mouseClick(button, Qt::LeftButton); // within the second: nothing more opens
    EXPECT_EQ(shell.opened.size(), 1);

    // Once the second is over, the next press opens the address again.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QTest::mouseClick(button, Qt::LeftButton);
            return shell.opened.size() == 2;
        },
        10000));
    EXPECT_GE(sinceFirst.elapsed(), 900); // a coarse timer may end up to 5% early
}

TEST_F(PresentationWindowsTest, AnotherWebsiteModeOpensNothingButStillTakesItsSecond) {
    window->openers().website(QStringLiteral("Forum"));
    EXPECT_TRUE(shell.opened.isEmpty());
    window->openers().website(QStringLiteral("Website"));
    EXPECT_TRUE(shell.opened.isEmpty());
}

} // namespace
