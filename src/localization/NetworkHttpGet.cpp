#include "localization/NetworkHttpGet.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <memory>

namespace vesperon {

NetworkHttpGet::NetworkHttpGet(std::chrono::milliseconds idleLimit, qint64 maxBytes)
    : m_idleLimit(idleLimit), m_maxBytes(maxBytes) {
    // A direct connection, as the download has always made.
    m_manager.setProxy(QNetworkProxy::NoProxy);
}

void NetworkHttpGet::DownloadText(const QString &address, QObject *receiver, Done done) {
    QNetworkRequest request{QUrl(address)};
    request.setRawHeader("User-Agent", "Mozilla");
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // Counted from the last byte received: a slow transfer goes on, a silent one ends.
    request.setTransferTimeout(static_cast<int>(m_idleLimit.count()));

    QNetworkReply *reply = m_manager.get(request);
    // Set when the receiver goes away: the transfer is dropped without a word.
    auto dropped = std::make_shared<bool>(false);
    if (receiver) {
        QObject::connect(receiver, &QObject::destroyed, reply, [reply, dropped] {
            *dropped = true;
            reply->abort();
        });
    }
    const qint64 maxBytes = m_maxBytes;
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, maxBytes](qint64 received, qint64) {
                         if (received > maxBytes)
                             reply->abort();
                     });
    QObject::connect(
        reply, &QNetworkReply::finished, reply, [reply, dropped, maxBytes, done = std::move(done)] {
            reply->deleteLater();
            if (*dropped)
                return;
            // Only a complete answer with a success status counts; an error page, a broken
            // connection or a timed-out transfer yields nothing.
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            QByteArray body;
            if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300)
                body = reply->readAll();
            if (body.size() > maxBytes)
                body.clear();
            done(body);
        });
}

} // namespace vesperon
