#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace vesperon {

// One running copy per user. The lock lives in the user's runtime folder and is released
// when the process ends, however it ends.
class SingleInstance {
public:
    explicit SingleInstance(const QString &lockFolder);
    // False when another copy holds the lock.
    bool acquired() const { return m_acquired; }
    static QString defaultLockFolder();

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};

} // namespace vesperon
