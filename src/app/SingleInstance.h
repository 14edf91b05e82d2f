#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace vesperon {

// One running copy per user. The lock lives in the user's runtime folder and is released
// when the process ends, however it ends. A runtime folder that cannot hold the lock (not a
// folder, not writable) is no reason to stop: the lock then goes to a private folder under
// the temporary folder. Beside the lock the running copy listens on a local socket, where a
// later copy asks it to bring its window to the front.
class SingleInstance {
public:
    explicit SingleInstance(const QString &lockFolder);
    ~SingleInstance();
    // False only when another copy holds the lock.
    bool acquired() const { return m_acquired; }
    // The folder the lock was taken in, or is held in by another copy (empty when no folder
    // could hold one).
    QString lockFolder() const { return m_folder; }
    // In the copy that holds the lock (a QCoreApplication must exist): calls onRequest each
    // time a later copy asks for the window. False when the socket cannot be set up.
    bool listenForLaterCopies(std::function<void()> onRequest);
    // In a later copy: asks the running copy to bring its window to the front, waiting at most
    // a second for it. False when no copy answered.
    bool askRunningCopyToShow() const;

    static QString defaultLockFolder();
    // Where the lock goes when the runtime folder cannot hold it: owned by this user alone.
    static QString fallbackLockFolder();

private:
    // Taken, held by another copy, or this folder cannot hold a lock.
    enum class Attempt { Taken, HeldElsewhere, Unusable };
    Attempt tryFolder(const QString &folder, bool privateFolder);
    QString serverName() const;

    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    QString m_folder;
    bool m_acquired = false;
};

} // namespace vesperon
