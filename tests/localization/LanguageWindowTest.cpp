#include "localization/LanguageWindow.h"
#include "LocalizationSamples.h"
#include "LoopbackHttpServer.h"
#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "localization/NetworkHttpGet.h"

using namespace vesperon;
using namespace std::chrono_literals;

namespace {

using test::languageGroup;

QByteArray file(const QByteArray &groups) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n" + groups + "</XML_DIZ_INFO>";
}

const QByteArray English = languageGroup("English", {"<FRMMAIN_CMDEDIT>Edit</FRMMAIN_CMDEDIT>"});
const QByteArray Deutsch =
    languageGroup("Deutsch", {"<FRMMAIN_CMDEDIT>Bearbeiten</FRMMAIN_CMDEDIT>",
                              "<FRMLANGUAGE_COMMAND2>Schließen</FRMLANGUAGE_COMMAND2>"});

// The language window over a loaded main window, with the real downloader pointed at a
// server on the loopback interface.
class LanguageWindowTest : public test::MainWindowFixture {
protected:
    test::LoopbackHttpServer server;
    NetworkHttpGet http{1s};
    QPointer<LanguageWindow> language;

    QString localization() const { return dir.filePath("Localization.txt"); }

    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(server.listening());
        values.Website = server.website();
        setUser("Language", u"English"_s); // not a first start
    }
    void TearDown() override { delete language.data(); }

    void open() {
        if (!window)
            start();
        language =
            new LanguageWindow(*languages, values, settings->user(), prompt, shell, http, window.get());
        language->load();
        language->show();
    }
    QComboBox *list() const { return language->findChild<QComboBox *>(u"Combo1"_s); }
    QPushButton *button(const char *name) const {
        return language->findChild<QPushButton *>(QLatin1String(name));
    }
    QStringList listed() const {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names << list()->itemText(i);
        return names;
    }
    // Opens the list and clicks the entry.
    void pick(const QString &name) {
        QComboBox *combo = list();
        const int index = combo->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QModelIndex entry = view->model()->index(index, 0);
        view->scrollTo(entry);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(entry).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->window()->isVisible(); }, 5000));
    }
    // Presses "Check for language updates" and waits for the answer.
    bool download() {
        QSignalSpy finished(language.data(), &LanguageWindow::downloadFinished);
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return finished.size() == 1; }, 20000));
        EXPECT_TRUE(button("Command1")->isEnabled());
        return !finished.isEmpty() && finished.first().first().toBool();
    }
};

TEST_F(LanguageWindowTest, APickIsStoredAndTranslatesTheMainWindowAndItselfAtOnce) {
    test::writeBytes(localization(), file(English + Deutsch + languageGroup("Choose Language Here", {})));
    open();
    pick("Deutsch");
    EXPECT_EQ(user("Language"), u"Deutsch"_s);
    EXPECT_EQ(control<QAbstractButton>("cmdEdit")->text(), u"Bearbeiten"_s);
    EXPECT_EQ(button("Command2")->text(), u"Schließen"_s);
    pick("Choose Language Here"); // the list's prompt text is no language
    EXPECT_EQ(user("Language"), u"Deutsch"_s);
}

// Without a file the list is empty and there is nothing to open for translating; a download
// stores the body from its first tag, and the list then holds the file's groups, showing the
// stored language even where the file lacks it.
TEST_F(LanguageWindowTest, DownloadStoresTheBodyFromItsFirstTagAndFillsTheList) {
    setUser("Language", u"Klingon"_s);
    open();
    EXPECT_TRUE(listed().isEmpty());
    QTest::mouseClick(button("Command3"), Qt::LeftButton);
    EXPECT_TRUE(shell.opened.isEmpty());

    const QByteArray body = file(English + Deutsch) + "\r\n";
    server.answer.body = "\xef\xbb\xbf" + body;
    EXPECT_TRUE(download());
    EXPECT_EQ(test::readBytes(localization()), body + "\r\n");
    EXPECT_EQ(listed(), (QStringList{"English", "Deutsch"}));
    EXPECT_EQ(list()->currentText(), u"Klingon"_s);
    EXPECT_EQ(prompt.questions().size(), 1);
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_TRUE(server.requests.first().startsWith("GET /Languages/0/Localization.txt "));
    QTest::mouseClick(button("Command3"), Qt::LeftButton);
    EXPECT_EQ(shell.opened, QStringList{localization()});
}

// A page without translation items is no language file; the template replaces every group by
// English, and only after the user agreed.
TEST_F(LanguageWindowTest, OtherPagesLeaveTheFileAloneAndTheTemplateAsksFirst) {
    test::writeBytes(localization(), file(English + Deutsch));
    open();
    server.answer.body = "<html><LANGUAGE_GROUP>moved</LANGUAGE_GROUP></html>";
    EXPECT_FALSE(download());
    prompt.willAnswer(Prompt::Answer::Cancel);
    QTest::mouseClick(button("cmdTemplate"), Qt::LeftButton);
    EXPECT_EQ(test::readBytes(localization()), file(English + Deutsch));
    prompt.willAnswer(Prompt::Answer::Ok);
    QTest::mouseClick(button("cmdTemplate"), Qt::LeftButton);
    EXPECT_TRUE(test::readBytes(localization()).contains("\t\t<FRMMAIN_CMDEDIT>Edit</FRMMAIN_CMDEDIT>\r\n"));
    EXPECT_EQ(listed(), QStringList{"English"});
    EXPECT_EQ(prompt.questions().size(), 2); // the two template questions; the other page said nothing
}

TEST_F(LanguageWindowTest, FilesThatCannotBeWrittenAreReportedNotAnnounced) {
    // The application folder's place is taken by a file: nothing can be written in it.
    test::writeBytes(dir.filePath("gone"), "not a folder");
    useFolder(dir.filePath("gone"));
    start();
    open();
    server.answer.body = file(English);
    EXPECT_FALSE(download());
    prompt.willAnswer(Prompt::Answer::Ok);
    QTest::mouseClick(button("cmdTemplate"), Qt::LeftButton);
    EXPECT_EQ(test::readBytes(dir.filePath("gone")), QByteArray("not a folder"));
    ASSERT_EQ(prompt.questions().size(), 3); // the download's report, the template's question and report
    EXPECT_EQ(prompt.questions()[0].icon, Prompt::Icon::Critical);
    EXPECT_EQ(prompt.questions()[2].icon, Prompt::Icon::Critical);
}

TEST_F(LanguageWindowTest, ClosingTheWindowDuringADownloadDropsIt) {
    test::writeBytes(localization(), file(English));
    open();
    server.answer.stall = true;
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests.size() == 1; }, 20000));
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return language.isNull(); }, 5000));
    QTest::qWait(1500); // past the idle limit
    EXPECT_TRUE(prompt.questions().isEmpty());
    EXPECT_EQ(test::readBytes(localization()), file(English));
}

} // namespace
