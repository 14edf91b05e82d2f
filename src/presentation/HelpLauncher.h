#pragma once

#include <QString>
#include <QStringList>

namespace vesperon {

class LanguageEngine;
class Prompt;
class Shell;
namespace settings {
class ProgramSettings;
}

// The help documents to look for, best first. Help.chm in the application folder where a
// CHM viewer can show it (chmViewer: Windows); the HTML guide otherwise: in the application
// folder's help/ (the build tree, a portable copy), then in each of installedGuides (the
// folders an installation puts the guide in).
QStringList helpDocuments(const QString &appFolder, const QStringList &installedGuides, bool chmViewer);

// Opens the first of documents that exists through the shell and records in the program
// store that the help has been shown. Says so in a message box when there is none (naming the
// places looked in) or when nothing could open it (naming what to install); a refused
// document is still recorded as shown. True when the shell opened it.
bool openHelp(Shell &shell, Prompt &prompt, const LanguageEngine &languages, const QStringList &documents,
              settings::ProgramSettings &program);

// The box for a document or address the desktop has no program for: what to install, and
// below it the document.
void sayNothingCanOpen(Prompt &prompt, const LanguageEngine &languages, const QString &document);

} // namespace vesperon
