#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

namespace vesperon {

// Fetching a small resource over HTTP without blocking the window that asked for it.
// Production uses QNetworkAccessManager (localization/NetworkHttpGet); tests run the real
// one against a loopback server.
class HttpGet {
public:
    using Done = std::function<void(const QByteArray &body)>;

    virtual ~HttpGet() = default;

    // Starts a plain GET of address that never answers from a cache. done runs once, later,
    // on the calling thread, with the body exactly as received, or with an empty body when
    // the transfer failed (no connection, an error status, a broken or stalled transfer).
    // When receiver is destroyed first, the transfer is dropped and done never runs.
    virtual void DownloadText(const QString &address, QObject *receiver, Done done) = 0;
};

} // namespace vesperon
