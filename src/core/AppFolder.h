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

    // The folder for the running program (QCoreApplication must exist).
    static AppFolder forThisProgram();

    const QString &path() const { return m_path; }
    QString dataFolder() const;                  // <app>/data
    QString filePath(const QString &name) const; // <app>/<name>

private:
    QString m_path;
};

// Files copied from the shipped folder into a fresh per-user application folder.
QStringList seededFileNames();

} // namespace vesperon
