// Help, web site: what opens where, and what the user is told when nothing can.

#include "presentation/HelpLauncher.h"
#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "support/TestFiles.h"

#include <QDir>

using namespace vesperon;

namespace {

class HelpLauncherTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        SetDefaultMessages(*languages);
    }
    bool open(const QStringList &documents) {
        return openHelp(shell, prompt, *languages, documents, settings->program());
    }
};

TEST_F(HelpLauncherTest, TheChmOnlyWithAViewerElseTheGuideOfTheAppFolderBeforeTheInstalledOne) {
    EXPECT_EQ(helpDocuments(QStringLiteral("/app"), {QStringLiteral("/usr/share/doc/g")}, true),
              QStringList{QStringLiteral("/app/Help.chm")});
    EXPECT_EQ(
        helpDocuments(QStringLiteral("/app"), {QStringLiteral("/usr/share/doc/g")}, false),
        (QStringList{QStringLiteral("/app/help/index.html"), QStringLiteral("/usr/share/doc/g/index.html")}));
}

TEST_F(HelpLauncherTest, OpensTheFirstGuideThereIsAndSaysWhatIsMissing) {
    const QStringList documents{dir.filePath(QStringLiteral("a/index.html")),
                                dir.filePath(QStringLiteral("b/index.html"))};
    EXPECT_FALSE(open(documents));
    EXPECT_TRUE(shell.opened.isEmpty());
    ASSERT_EQ(prompt.questions().size(), 1);
    for (const QString &document : documents)
        EXPECT_TRUE(prompt.questions().first().text.contains(QDir::toNativeSeparators(document)));
    EXPECT_EQ(program("showHelp", "unset"), QStringLiteral("unset"));

    QDir(dir.path()).mkpath(QStringLiteral("b"));
    test::writeBytes(documents[1], "<html>");
    EXPECT_TRUE(open(documents));
    EXPECT_EQ(shell.opened, QStringList{documents[1]});
    EXPECT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(program("showHelp"), QStringLiteral("0"));
}

TEST_F(HelpLauncherTest, AGuideOrAddressNoProgramCanOpenNamesWhatToInstall) {
    test::writeBytes(dir.filePath(QStringLiteral("index.html")), "<html>");
    shell.answer = false;
    EXPECT_FALSE(open({dir.filePath(QStringLiteral("index.html"))}));
    build();
    installPresentationWindows(*window, *seams);
    window->openers().website(QStringLiteral("Website"));
    ASSERT_EQ(prompt.questions().size(), 2);
    for (const auto &question : prompt.questions())
        EXPECT_TRUE(question.text.contains(QStringLiteral("web browser"))) << question.text.toStdString();
    EXPECT_TRUE(prompt.questions().last().text.contains(values.Website));
}

} // namespace
