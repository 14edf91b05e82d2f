// The about window, the web-site launcher, the help and the splash, opened from a main window
// whose seams record what reaches the desktop.
#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "core/ProductInfo.h"
#include "presentation/AboutDialog.h"
#include "presentation/HelpLauncher.h"
#include "presentation/SplashScreen.h"
#include "presentation/VersionInfo.h"

using namespace vesperon;

namespace {

class PresentationWindowsTest : public test::MainWindowFixture {
protected:
    void installOpeners(MainWindow &main) override {
        MainWindowFixture::installOpeners(main);
        installPresentationWindows(main, *seams);
    }
    void TearDown() override { qDeleteAll(topLevels("frmAbout")); }
};

// The about window shows what the program holds, translated but for its version, and a
// second About brings up the same window.
TEST_F(PresentationWindowsTest, AboutShowsTheProductValuesInTheUsersLanguage) {
    test::writeBytes(dir.filePath("Localization.txt"),
                     "<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME><TRANSLATION_ITEMS>\r\n"
                     "\t\t<FRMABOUT_LBLVERSION>9.9</FRMABOUT_LBLVERSION>\r\n"
                     "\t\t<MSG_TITLEABOUT>Info: [ProgramName]</MSG_TITLEABOUT>\r\n"
                     "\t</TRANSLATION_ITEMS></LANGUAGE_GROUP>\r\n");
    SetDefaultMessages(*languages);
    values.CurrentLanguage = u"Deutsch"_s;
    build();
    window->openers().about();
    window->openers().about();
    ASSERT_EQ(topLevels("frmAbout").size(), 1);
    QWidget *about = topLevels("frmAbout").first();
    EXPECT_EQ(about->windowTitle(), u"Info: Vesperon"_s);
    EXPECT_EQ(about->findChild<QLabel *>(u"lblVersion"_s)->text(),
              versionText(product::VersionMajor, product::VersionMinor));
}

// A second press within the second opens nothing more; another mode opens nothing at all.
TEST_F(PresentationWindowsTest, TheWebsiteButtonOpensTheAddressOncePerSecond) {
    build().openers().website(u"Forum"_s);
    EXPECT_TRUE(shell.opened.isEmpty());
    window.reset();
    start();
    clickButton("cmdWebsite");
    clickButton("cmdWebsite");
    EXPECT_EQ(shell.opened, QStringList{u"http://www.quillmark.example"_s});
    EXPECT_EQ(websiteAddress(u"HtTpS://quillmark.example"_s), u"HtTpS://quillmark.example"_s);
}

// The help opens the first guide there is, and says what is missing or what to install; so
// does the web-site button when no browser opens the address.
TEST_F(PresentationWindowsTest, HelpOpensTheFirstGuideThereIsElseSaysWhereItLookedOrWhatToInstall) {
    SetDefaultMessages(*languages);
    const QStringList guides = helpDocuments(dir.filePath(u"app"_s), {dir.path()}, false);
    const auto open = [&] { return openHelp(shell, prompt, *languages, guides, settings->program()); };
    EXPECT_FALSE(open());
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(
        prompt.questions().last().text.contains(QDir::toNativeSeparators(guides.join(QLatin1Char('\n')))));

    test::writeBytes(dir.filePath(u"index.html"_s), "<html>"); // the installed one
    EXPECT_TRUE(open());
    EXPECT_EQ(shell.opened, QStringList{guides.last()});
    EXPECT_EQ(prompt.questions().size(), 1);

    shell.answer = false;
    EXPECT_FALSE(open());
    build().openers().website(u"Website"_s);
    ASSERT_EQ(prompt.questions().size(), 3);
    for (int i : {1, 2})
        EXPECT_TRUE(prompt.questions()[i].text.contains(u"web browser"_s));
}

// The splash loads the main window once, at its 75th tick, and shows it unless it went to
// the tray.
TEST_F(PresentationWindowsTest, TheSplashHandsOverToTheMainWindowOnce) {
    for (const bool toTray : {false, true}) {
        setProgram("chkMin", QLatin1String(toTray ? "1" : "0"));
        int loads = 0;
        SplashScreen splash(values, [&]() -> QWidget * {
            ++loads;
            build().load();
            return window->startedHidden() ? nullptr : window.get();
        });
        splash.start();
        splash.show();
        splash.timer().stop(); // the test drives the ticks itself
        for (int tick = 1; tick <= 74; ++tick)
            splash.tick();
        EXPECT_EQ(loads, 0);
        splash.tick();
        splash.tick(); // a tick that was already queued
        EXPECT_EQ(loads, 1);
        EXPECT_FALSE(splash.isVisible());
        EXPECT_EQ(window->isVisible(), !toTray);
        window.reset();
    }
}

} // namespace
