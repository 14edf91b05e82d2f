#pragma once

#include "core/HttpGet.h"

#include <QNetworkAccessManager>
#include <chrono>

namespace vesperon {

// HttpGet over QNetworkAccessManager: a direct connection (no proxy), user agent
// "Mozilla", "no-cache" asked of every cache on the way. A transfer that receives nothing
// for idleLimit ends as a failure, as does one that grows past maxBytes.
class NetworkHttpGet final : public HttpGet {
public:
    static constexpr std::chrono::milliseconds DefaultIdleLimit{30000};
    static constexpr qint64 DefaultMaxBytes = 16 * 1024 * 1024;

    explicit NetworkHttpGet(std::chrono::milliseconds idleLimit = DefaultIdleLimit,
                            qint64 maxBytes = DefaultMaxBytes);

    void DownloadText(const QString &address, QObject *receiver, Done done) override;

private:
    QNetworkAccessManager m_manager;
    std::chrono::milliseconds m_idleLimit;
    qint64 m_maxBytes;
};

} // namespace vesperon
