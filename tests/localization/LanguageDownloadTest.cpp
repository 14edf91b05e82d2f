#include "LoopbackHttpServer.h"
#include "localization/NetworkHttpGet.h"
#include "support/Testing.h"

#include <memory>
#include <optional>

namespace vesperon {
namespace {

using namespace std::chrono_literals;

// The real downloader against a server on the loopback interface. (A receiver gone before the
// answer is LanguageWindowTest's closing-during-a-download case.)
class NetworkHttpGetTest : public ::testing::Test {
protected:
    test::LoopbackHttpServer server;
    NetworkHttpGet http{1s}, upTo1000{1s, 1000};
    QObject receiver;

    // Fetches the server's file and waits for the answer.
    std::optional<QByteArray> fetch(NetworkHttpGet *getter = nullptr) {
        auto result = std::make_shared<std::optional<QByteArray>>();
        (getter ? *getter : http)
            .DownloadText(server.website() + "/Languages/0/Localization.txt", &receiver,
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
    EXPECT_TRUE(request.contains("\r\nPragma: no-cache\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nCache-Control: no-cache\r\n")) << request.constData();
}

TEST_F(NetworkHttpGetTest, ErrorPagesBrokenStalledAndOversizedTransfersYieldNothing) {
    server.answer.status = "404 Not Found";
    server.answer.body = "<TRANSLATION_ITEMS> is not here";
    EXPECT_EQ(fetch(), QByteArray());
    // Half an answer, then silence: what came is not handed on.
    server.answer = {};
    server.answer.stall = true;
    server.answer.head = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<TRANSLATION_ITEMS>";
    EXPECT_EQ(fetch(), QByteArray());

    server.answer = {};
    server.answer.body = QByteArray(1001, '<');
    EXPECT_EQ(fetch(&upTo1000), QByteArray());
}

} // namespace
} // namespace vesperon
