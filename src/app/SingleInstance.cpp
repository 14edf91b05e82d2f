#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vesperon {

SingleInstance::SingleInstance(const QString &lockFolder) {
    for (const auto &[folder, privateFolder] : {std::pair{lockFolder, false}, {fallbackLockFolder(), true}}) {
        switch (tryFolder(folder, privateFolder)) {
        case Attempt::Taken:
            m_acquired = true;
            m_folder = folder;
            return;
        case Attempt::HeldElsewhere:
            m_folder = folder;
            return;
        case Attempt::Unusable:
            break;
        }
    }
    // No folder can hold a lock: running twice is better than not running at all.
    m_acquired = true;
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName() const {
#ifdef Q_OS_WIN
    // A named pipe of this user's session.
    return QStringLiteral("vesperon-") + qEnvironmentVariable("USERNAME", QStringLiteral("user"));
#else
    return m_folder.isEmpty() ? QString() : QDir(m_folder).filePath(QStringLiteral("vesperon.socket"));
#endif
}

bool SingleInstance::listenForLaterCopies(std::function<void()> onRequest) {
    const QString name = serverName();
    if (!m_acquired || name.isEmpty())
        return false;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket left there belongs to a copy that has gone.
    QLocalServer::removeServer(name);
    if (!m_server->listen(name))
        return false;
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(),
                     [server = m_server.get(), onRequest = std::move(onRequest)] {
                         while (QLocalSocket *socket = server->nextPendingConnection()) {
                             QObject::connect(socket, &QLocalSocket::disconnected, socket,
                                              &QObject::deleteLater);
                             socket->disconnectFromServer();
                             onRequest();
                         }
                     });
    return true;
}

bool SingleInstance::askRunningCopyToShow() const {
    const QString name = serverName();
    if (m_acquired || name.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    return socket.waitForConnected(1000);
}

SingleInstance::Attempt SingleInstance::tryFolder(const QString &folder, bool privateFolder) {
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return Attempt::Unusable;
#ifdef Q_OS_UNIX
    // In the shared temporary folder another user must not be able to take our lock, nor plant one.
    if (privateFolder &&
        (QFileInfo(folder).ownerId() != ::getuid() ||
         !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)))
        return Attempt::Unusable;
#else
    Q_UNUSED(privateFolder);
#endif
    m_lock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("vesperon.lock")));
    m_lock->setStaleLockTime(0); // a lock whose process has gone is stale, however new
    if (m_lock->tryLock(0))
        return Attempt::Taken;
    return m_lock->error() == QLockFile::LockFailedError ? Attempt::HeldElsewhere : Attempt::Unusable;
}

QString SingleInstance::defaultLockFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? fallbackLockFolder() : runtime;
}

QString SingleInstance::fallbackLockFolder() {
    return QDir::temp().filePath(QStringLiteral("vesperon-") +
                                 qEnvironmentVariable("USER", QStringLiteral("user")));
}

} // namespace vesperon
