#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace vesperon::test {

// A minimal HTTP server on 127.0.0.1 in the test's own thread. Every request gets the
// answer set in `answer`: a status line and body, or a stall (optionally after a first
// part of the answer) during which the connection stays open and silent.
class LoopbackHttpServer {
public:
    struct Answer {
        QByteArray status = "200 OK";
        QByteArray body;
        bool stall = false; // write only `head`, then keep quiet
        QByteArray head;    // for a stall: what is sent before the silence
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

    bool listening() const { return m_server.isListening(); }
    QString website() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }

private:
    void serve(QTcpSocket *socket) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            // A GET is all head: it is taken once its closing blank line is there.
            if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
                return;
            requests << socket->readAll();
            if (answer.stall) {
                socket->write(answer.head);
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

} // namespace vesperon::test
