#include "app/SingleInstance.h"

#include <QDir>

namespace vesperon {

SingleInstance::SingleInstance(const QString &lockFolder) {
    QDir().mkpath(lockFolder);
    m_lock = std::make_unique<QLockFile>(QDir(lockFolder).filePath(QStringLiteral("vesperon.lock")));
    m_lock->setStaleLockTime(0); // a lock whose process has gone is stale, however new
    m_acquired = m_lock->tryLock(0);
}

QString SingleInstance::defaultLockFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return runtime;
    return QDir::temp().filePath(QStringLiteral("vesperon-") +
                                 qEnvironmentVariable("USER", QStringLiteral("user")));
}

} // namespace vesperon
