#include "localization/LanguageDownload.h"
#include "LoopbackHttpServer.h"
#include "localization/NetworkHttpGet.h"
#include "support/DiskFaults.h"
#include "support/Testing.h"

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

// The real downloader against a server on the loopback interface. (A receiver gone before the
// answer is LanguageWindowTest's closing-during-a-download case.)
class NetworkHttpGetTest : public ::testing::Test {
protected:
    test::LoopbackHttpServer server;
    NetworkHttpGet http{1s};
    QObject receiver;

    // Fetches the address (by default the server's file) and waits for the answer.
    std::optional<QByteArray> fetch(HttpGet *getter = nullptr, QString address = QString()) {
        auto result = std::make_shared<std::optional<QByteArray>>();
        (getter ? *getter : http)
            .DownloadText(address.isEmpty() ? server.website() + "/Languages/0/Localization.txt" : address,
                          &receiver, [result](const QByteArray &body) { *result = body; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result->has_value(); }, 20000));
        return *result;
    }
};

TEST_F(NetworkHttpGetTest, AnswersAPlainUncachedGetWithTheBodyByteForByte) {
    ASSERT_TRUE(server.listening());
    server.answer.body = QByteArray("\xef\xbb\xbf<a>\x00\xff\r\n", 10);
    EXPECT_EQ(fetch(), server.answer.body);
    server.answer.body = "<second>"; // asked again, the server is asked again
    EXPECT_EQ(fetch(), QByteArray("<second>"));
    ASSERT_EQ(server.requests.size(), 2);
    const QByteArray request = server.requests.first();
    EXPECT_TRUE(request.startsWith("GET /Languages/0/Localization.txt HTTP/1.1\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nPragma: no-cache\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nCache-Control: no-cache\r\n")) << request.constData();
}

TEST_F(NetworkHttpGetTest, ErrorPagesBrokenStalledAndOversizedTransfersYieldNothing) {
    server.answer.status = "404 Not Found";
    server.answer.body = "<TRANSLATION_ITEMS> is not here";
    EXPECT_EQ(fetch(), QByteArray());
    server.answer = {};
    server.answer.stall = true; // accepts, reads the request, never answers
    EXPECT_EQ(fetch(), QByteArray());
    // Half an answer, then silence: what came is not handed on.
    server.answer.head = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<TRANSLATION_ITEMS>";
    EXPECT_EQ(fetch(), QByteArray());
    EXPECT_EQ(fetch(nullptr, "http://127.0.0.1:1/Languages/0/Localization.txt"),
              QByteArray()); // nobody there

    server.answer = {};
    NetworkHttpGet small{1s, 1000};
    server.answer.body = QByteArray(1001, '<');
    EXPECT_EQ(fetch(&small), QByteArray());
    server.answer.body = QByteArray(1000, '<'); // at the limit is still fine
    EXPECT_EQ(fetch(&small), server.answer.body);
}

} // namespace
} // namespace vesperon
