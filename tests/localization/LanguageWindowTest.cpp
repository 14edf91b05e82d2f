// The language window and the real downloader, against a minimal HTTP server on the loopback
// interface.
#include "localization/LanguageWindow.h"
#include "LocalizationSamples.h"
#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "localization/NetworkHttpGet.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <optional>

using namespace vesperon;
using namespace std::chrono_literals;

namespace {

using test::languageGroup;

// A minimal HTTP server on 127.0.0.1 in the test's own thread. Every request gets the
// answer set in `answer`: a status line and body, or a first part of an answer (perhaps
// nothing) after which the connection stays open and silent.
class LoopbackHttpServer {
public:
    struct Answer {
        QByteArray status = "200 OK";
        QByteArray body{};
        std::optional<QByteArray> stallAfter{};
    };

    Answer answer;
    QList<QByteArray> requests; // every request's head as received

    LoopbackHttpServer() {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    QString website() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }

private:
    void serve(QTcpSocket *socket) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            // A GET is all head: it is taken once its closing blank line is there.
            if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
                return;
            requests << socket->readAll();
            if (answer.stallAfter) {
                socket->write(*answer.stallAfter);
                return;
            }
            socket->write("HTTP/1.1 " + answer.status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
                          QByteArray::number(answer.body.size()) + "\r\nConnection: close\r\n\r\n" +
                          answer.body);
            socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    QTcpServer m_server;
};

// The real downloader alone. (A receiver gone before the answer is the window's
// closing-during-a-download case.)
class NetworkHttpGetTest : public ::testing::Test {
protected:
    LoopbackHttpServer server;
    NetworkHttpGet http{1s, 1000}; // a second's silence or more than 1000 bytes end a transfer
    QObject receiver;

    // Fetches the server's file and waits for the answer.
    std::optional<QByteArray> fetch() {
        auto result = std::make_shared<std::optional<QByteArray>>();
        http.DownloadText(server.website() + "/Languages/0/Localization.txt", &receiver,
                          [result](const QByteArray &body) { *result = body; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result->has_value(); }, 20000));
        return *result;
    }
};

TEST_F(NetworkHttpGetTest, AnswersAPlainUncachedGetWithTheBodyByteForByte) {
    server.answer.body = QByteArray("\xef\xbb\xbf<a>\x00\xff\r\n", 10);
    EXPECT_EQ(fetch(), server.answer.body);
    const QByteArray request = server.requests.value(0);
    EXPECT_TRUE(request.startsWith("GET /Languages/0/Localization.txt HTTP/1.1\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nPragma: no-cache\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nCache-Control: no-cache\r\n")) << request.constData();
}

TEST_F(NetworkHttpGetTest, ErrorPagesBrokenStalledAndOversizedTransfersYieldNothing) {
    for (const char *status : {"404 Not Found", "300 Multiple Choices"}) {
        server.answer = {status, "<TRANSLATION_ITEMS> is not here"};
        EXPECT_EQ(fetch(), QByteArray()) << status;
    }
    // Half an answer, then silence: what came is not handed on.
    server.answer = {.stallAfter = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<TRANSLATION_ITEMS>"};
    EXPECT_EQ(fetch(), QByteArray());

    server.answer = {.body = QByteArray(1001, '<')};
    EXPECT_EQ(fetch(), QByteArray());
}

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
    LoopbackHttpServer server;
    NetworkHttpGet http{1s};
    QPointer<LanguageWindow> language;

    QString localization() const { return dir.filePath("Localization.txt"); }

    void SetUp() override {
        MainWindowFixture::SetUp();
        values.Website = server.website();
        setUser("Language", u"English"_s); // not a first start
    }
    void TearDown() override { delete language.data(); }

    void open() {
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
    // Picks the entry as a click in the open list does.
    void pick(const QString &name) {
        const int index = list()->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        list()->setCurrentIndex(index);
        emit list()->activated(index);
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

// Without a file the list is empty; a download stores the body from its first tag, and the list then holds
// the file's groups, showing the stored language even where the file lacks it.
TEST_F(LanguageWindowTest, DownloadStoresTheBodyFromItsFirstTagAndFillsTheList) {
    setUser("Language", u"Klingon"_s);
    open();
    EXPECT_TRUE(listed().isEmpty());

    const QByteArray body = file(English + Deutsch) + "\r\n";
    server.answer.body = "\xef\xbb\xbf" + body;
    EXPECT_TRUE(download());
    EXPECT_EQ(test::readBytes(localization()), body + "\r\n");
    EXPECT_EQ(listed(), (QStringList{"English", "Deutsch"}));
    EXPECT_EQ(list()->currentText(), u"Klingon"_s);
    EXPECT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(server.requests.value(0).startsWith("GET /Languages/0/Localization.txt "));
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
    open();
    server.answer.body = file(English);
    EXPECT_FALSE(download());
    prompt.willAnswer(Prompt::Answer::Ok);
    QTest::mouseClick(button("cmdTemplate"), Qt::LeftButton);
    ASSERT_EQ(prompt.questions().size(), 3); // the download's report, the template's question and report
    EXPECT_EQ(prompt.questions()[0].icon, Prompt::Icon::Critical);
    EXPECT_EQ(prompt.questions()[2].icon, Prompt::Icon::Critical);
}

TEST_F(LanguageWindowTest, ClosingTheWindowDuringADownloadDropsIt) {
    test::writeBytes(localization(), file(English));
    open();
    server.answer.stallAfter = "";
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests.size() == 1; }, 20000));
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return language.isNull(); }, 5000));
    QTest::qWait(1500); // past the idle limit
    EXPECT_TRUE(prompt.questions().isEmpty());
    EXPECT_EQ(test::readBytes(localization()), file(English));
}

} // namespace
