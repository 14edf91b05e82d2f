#pragma once

#include <QString>
#include <QStringList>

namespace vesperon {

// The application folder: where data/ (the schedule files), Localization.txt and the
// help live. A portable install or the build tree uses the executable's own folder;
// an installed copy, whose folder the user cannot write, uses the per-user data folder
// and seeds it with the shipped files on first use.
class AppFolder {
public:
    explicit AppFolder(QString path) : m_path(std::move(path)) {}

    // Picks the folder for an executable in executableDir; perUserDataDir is used when
    // executableDir is not writable. shippedDirs are searched for the files to seed.
    static AppFolder resolve(const QString &executableDir, const QString &perUserDataDir,
                             const QStringList &shippedDirs);

    // The folder for the running program (QCoreApplication must exist), with the managed
    // folders this system names.
    static AppFolder forThisProgram();

    const QString &path() const { return m_path; }
    QString dataFolder() const;                  // <app>/data
    QString filePath(const QString &name) const; // <app>/<name>

    // Where an administrator deploys schedules for every user, most important first. The
    // program reads them and never writes there.
    const QStringList &managedDataFolders() const { return m_managed; }
    void setManagedDataFolders(QStringList folders) { m_managed = std::move(folders); }

private:
    QString m_path;
    QStringList m_managed;
};

// <company>/<program>/data under each folder of configDirs, a list in XDG_CONFIG_DIRS form
// (":"-separated; unset or empty means /etc/xdg; relative entries are ignored). On Windows
// configDirs is the one %ProgramData% folder.
QStringList managedScheduleFolders(const QString &configDirs);

// Files copied from the shipped folder into a fresh per-user application folder.
QStringList seededFileNames();

} // namespace vesperon
