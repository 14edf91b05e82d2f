#include "presentation/HelpLauncher.h"

#include "core/Prompt.h"
#include "core/Shell.h"
#include "localization/LanguageEngine.h"
#include "schedule/ScheduleFile.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include <QDir>

namespace vesperon {

namespace {

QString programName(const LanguageEngine &languages) {
    return languages.getMessages(QStringLiteral("MSG_TITLE"));
}

} // namespace

QStringList helpDocuments(const QString &appFolder, const QStringList &installedGuides, bool chmViewer) {
    if (chmViewer)
        return {QDir(appFolder).filePath(QStringLiteral("Help.chm"))};
    QStringList documents{QDir(appFolder).filePath(QStringLiteral("help/index.html"))};
    for (const QString &folder : installedGuides)
        documents << QDir(folder).filePath(QStringLiteral("index.html"));
    return documents;
}

bool openHelp(Shell &shell, Prompt &prompt, const LanguageEngine &languages, const QStringList &documents,
              settings::ProgramSettings &program) {
    for (const QString &document : documents) {
        if (!FileExists(document))
            continue;
        const bool opened = shell.open(document);
        program.setValue(settings::keys::programShowHelp, QStringLiteral("0"));
        if (!opened)
            sayNothingCanOpen(prompt, languages, document);
        return opened;
    }
    prompt.ask(languages.getMessages(QStringLiteral("MSG_NOHELP")) + QStringLiteral("\n\n") +
                   QDir::toNativeSeparators(documents.join(QLatin1Char('\n'))),
               programName(languages), Prompt::Buttons::Ok, Prompt::Icon::Warning);
    return false;
}

void sayNothingCanOpen(Prompt &prompt, const LanguageEngine &languages, const QString &document) {
    prompt.ask(languages.getMessages(QStringLiteral("MSG_NOVIEWER")) + QStringLiteral("\n\n") + document,
               programName(languages), Prompt::Buttons::Ok, Prompt::Icon::Warning);
}

} // namespace vesperon
