#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace vesperon {

// One running copy per user. The lock lives in the user's runtime folder and is released
// when the process ends, however it ends. A runtime folder that cannot hold the lock (not a
// folder, not writable) is no reason to stop: the lock then goes to a private folder under
// the temporary folder.
class SingleInstance {
public:
    explicit SingleInstance(const QString &lockFolder);
    // False only when another copy holds the lock.
    bool acquired() const { return m_acquired; }
    // The folder the lock was taken in (empty when no folder could hold one).
    QString lockFolder() const { return m_folder; }
    static QString defaultLockFolder();
    // Where the lock goes when the runtime folder cannot hold it: owned by this user alone.
    static QString fallbackLockFolder();

private:
    // Taken, held by another copy, or this folder cannot hold a lock.
    enum class Attempt { Taken, HeldElsewhere, Unusable };
    Attempt tryFolder(const QString &folder, bool privateFolder);

    std::unique_ptr<QLockFile> m_lock;
    QString m_folder;
    bool m_acquired = false;
};

} // namespace vesperon
