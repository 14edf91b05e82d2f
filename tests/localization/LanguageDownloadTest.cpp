#include "localization/LanguageDownload.h"
#include "LoopbackHttpServer.h"
#include "localization/NetworkHttpGet.h"
#include "support/DiskFaults.h"
#include "support/TestFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace vesperon {
namespace {

using namespace std::chrono_literals;

// BOM, short bodies, lower-case markers and error pages are driven through the window in
// LanguageWindowTest; these are the cases it does not reach.
TEST(LanguageDownloadTest, OnlyBodiesHoldingTheItemMarkerAreTakenFromTheirFirstTag) {
    EXPECT_EQ(localizationFromDownload(""), std::nullopt);
    EXPECT_EQ(localizationFromDownload("<TRANSLATION_ITEM>"), std::nullopt);
    EXPECT_EQ(localizationFromDownload("junk \r\n<TRANSLATION_ITEMS>"),
              QByteArray("<TRANSLATION_ITEMS>\r\n"));
}

TEST(LanguageDownloadTest, ReplacingTheFileLeavesExactlyTheNewBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Localization.txt");
    test::writeBytes(path, QByteArray(5000, 'x'));
    ASSERT_TRUE(replaceLocalizationFile(path, "<short>\r\n"));
    EXPECT_EQ(test::readBytes(path), QByteArray("<short>\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Localization.txt"});

    // A folder that is not there cannot take the file; nothing is left behind.
    EXPECT_FALSE(replaceLocalizationFile(dir.filePath("missing/Localization.txt"), "<x>"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));

    // A write the disk refuses keeps the old file whole.
    test::DiskFaultScope fault(test::DiskFault::FileSizeLimit, dir.path());
    fault.fill();
    EXPECT_FALSE(replaceLocalizationFile(path, "<TRANSLATION_ITEMS>\r\n"));
    EXPECT_EQ(test::readBytes(path), QByteArray("<short>\r\n"));
}

// The real downloader against a server on the loopback interface.
class NetworkHttpGetTest : public ::testing::Test {
protected:
    test::LoopbackHttpServer server;
    NetworkHttpGet http{1s};
    QObject receiver;

    // Fetches address and waits for the answer; nothing when done never ran.
    std::optional<QByteArray> fetch(const QString &path = "/Languages/0/Localization.txt") {
        auto result = std::make_shared<std::optional<QByteArray>>();
        http.DownloadText(server.website() + path, &receiver,
                          [result](const QByteArray &body) { *result = body; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result->has_value(); }, 20000));
        return *result;
    }
};

TEST_F(NetworkHttpGetTest, AnswersAPlainUncachedGetWithTheBodyByteForByte) {
    ASSERT_TRUE(server.listening());
    server.answer.body = QByteArray("\xef\xbb\xbf<a>\x00\xff\r\n", 10);
    EXPECT_EQ(fetch(), server.answer.body);
    ASSERT_EQ(server.requests.size(), 1);
    const QByteArray request = server.requests.first();
    EXPECT_TRUE(request.startsWith("GET /Languages/0/Localization.txt HTTP/1.1\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nUser-Agent: Mozilla\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nPragma: no-cache\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nCache-Control: no-cache\r\n")) << request.constData();

    // Asked again, the server is asked again.
    server.answer.body = "<second>";
    EXPECT_EQ(fetch(), QByteArray("<second>"));
    EXPECT_EQ(server.requests.size(), 2);
}

TEST_F(NetworkHttpGetTest, ErrorPagesBrokenAndStalledTransfersYieldNothing) {
    server.answer.status = "404 Not Found";
    server.answer.body = "<TRANSLATION_ITEMS> is not here";
    EXPECT_EQ(fetch(), QByteArray());

    server.answer = {};
    server.answer.stall = true; // accepts, reads the request, never answers
    EXPECT_EQ(fetch(), QByteArray());

    // Half an answer, then silence: what came is not handed on.
    server.answer.head = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<TRANSLATION_ITEMS>";
    EXPECT_EQ(fetch(), QByteArray());

    // Nobody listening.
    NetworkHttpGet unreachable{1s};
    auto result = std::make_shared<std::optional<QByteArray>>();
    unreachable.DownloadText("http://127.0.0.1:1/Languages/0/Localization.txt", &receiver,
                             [result](const QByteArray &body) { *result = body; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return result->has_value(); }, 20000));
    EXPECT_EQ(**result, QByteArray());
}

TEST_F(NetworkHttpGetTest, ABodyPastTheLimitIsRefused) {
    NetworkHttpGet small{1s, 1000};
    server.answer.body = QByteArray(1001, '<');
    auto result = std::make_shared<std::optional<QByteArray>>();
    small.DownloadText(server.website() + "/x", &receiver,
                       [result](const QByteArray &body) { *result = body; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return result->has_value(); }, 20000));
    EXPECT_TRUE((*result)->isEmpty());

    server.answer.body = QByteArray(1000, '<'); // at the limit is still fine
    *result = std::nullopt;
    small.DownloadText(server.website() + "/x", &receiver,
                       [result](const QByteArray &body) { *result = body; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return result->has_value(); }, 20000));
    EXPECT_EQ((*result)->size(), 1000);
}

TEST_F(NetworkHttpGetTest, AGoneReceiverIsNeverCalled) {
    server.answer.stall = true;
    auto gone = std::make_unique<QObject>();
    bool called = false;
    http.DownloadText(server.website() + "/x", gone.get(), [&called](const QByteArray &) { called = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests.size() == 1; }, 20000));
    gone.reset();
    QTest::qWait(1500); // past the idle limit: a transfer still running would have ended by now
    EXPECT_FALSE(called);
}

} // namespace
} // namespace vesperon
