// The help opens the first guide there is, and says what is missing or what to install.

#include "presentation/HelpLauncher.h"
#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"

using namespace vesperon;

namespace {

class HelpLauncherTest : public test::MainWindowFixture {};

TEST_F(HelpLauncherTest, OpensTheFirstGuideThereIsElseSaysWhereItLookedOrWhatToInstall) {
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
    build();
    installPresentationWindows(*window, *seams);
    window->openers().website(u"Website"_s);
    ASSERT_EQ(prompt.questions().size(), 3);
    for (int i : {1, 2})
        EXPECT_TRUE(prompt.questions()[i].text.contains(u"web browser"_s));
}

} // namespace
