#include "core/AppFolder.h"

#include "core/ProductInfo.h"
#include "core/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace vesperon {

namespace {

// The shipped files are far smaller; anything larger is not one of them.
constexpr qint64 MaxSeededFileBytes = 64 << 20;

bool isWritableFolder(const QString &dir) {
    if (!QFileInfo(dir).isDir())
        return false;
    // Create a file rather than trusting permission bits: root, ACLs and read-only mounts
    // all disagree with what the bits say.
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".vesperon-write-test-XXXXXX")));
    return probe.open();
}

void seedFrom(const QStringList &shippedDirs, const QString &target) {
    for (const QString &name : seededFileNames()) {
        const QString destination = QDir(target).filePath(name);
        if (QFileInfo::exists(destination))
            continue;
        for (const QString &dir : shippedDirs) {
            // A copy cut short (a full disk) is never left in the user's folder.
            const FileRead source = readRegularFile(QDir(dir).filePath(name), MaxSeededFileBytes);
            if (!source)
                continue;
            if (!replaceFile(destination, source.bytes))
                QFile(destination)
                    .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                    QFile::ReadOther);
            break;
        }
    }
}

} // namespace

QStringList seededFileNames() {
    return {QStringLiteral("Localization.txt"), QStringLiteral("Help.chm")};
}

AppFolder AppFolder::resolve(const QString &executableDir, const QString &perUserDataDir,
                             const QStringList &shippedDirs) {
    // An installed copy (its shipped files beside it in ../share/vesperon) is never used as a
    // portable one, even where root could write into /usr/bin.
    const bool installed =
        QFileInfo(QDir(executableDir).filePath(QStringLiteral("../share/vesperon"))).isDir();
    if (!installed && isWritableFolder(executableDir))
        return AppFolder(QDir::cleanPath(executableDir));
    QDir().mkpath(perUserDataDir);
    seedFrom(shippedDirs, perUserDataDir);
    return AppFolder(QDir::cleanPath(perUserDataDir));
}

AppFolder AppFolder::forThisProgram() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    QStringList shipped{QDir(exeDir).filePath(QStringLiteral("../share/vesperon"))};
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        shipped << QDir(dir).filePath(QStringLiteral("vesperon"));
    AppFolder folder =
        resolve(exeDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), shipped);
#ifdef Q_OS_WIN
    folder.setManagedDataFolders(managedScheduleFolders(qEnvironmentVariable("ProgramData")));
#else
    folder.setManagedDataFolders(managedScheduleFolders(qEnvironmentVariable("XDG_CONFIG_DIRS")));
#endif
    return folder;
}

QStringList managedScheduleFolders(const QString &configDirs) {
#ifdef Q_OS_WIN
    const QStringList roots{configDirs};
#else
    const QStringList roots = configDirs.isEmpty() ? QStringList{QStringLiteral("/etc/xdg")}
                                                   : configDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
#endif
    QStringList folders;
    for (const QString &root : roots) {
        if (QDir::isAbsolutePath(root))
            folders << QDir::cleanPath(
                QStringLiteral("%1/%2/%3/data")
                    .arg(root, QLatin1String(product::CompanyName), QLatin1String(product::ProgramName)));
    }
    folders.removeDuplicates();
    return folders;
}

QString AppFolder::dataFolder() const {
    return QDir(m_path).filePath(QStringLiteral("data"));
}

QString AppFolder::filePath(const QString &name) const {
    return QDir(m_path).filePath(name);
}

} // namespace vesperon
