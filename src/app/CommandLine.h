#pragma once

#include "editor/WizardRules.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace vesperon {

// What the program was asked to do on its command line. With no options it starts the
// desktop program; the listing, the informational options and the requests to the running
// copy never open a window.
struct CommandLine {
    enum class Mode { Desktop, List, History, Help, Version, Remote, Add, Remove, Error };
    Mode mode = Mode::Desktop;
    std::optional<QDateTime> at; // --at: the moment the listing computes next runs for
    QString error;               // one line, for Mode::Error
    // Mode::Remote: the method of the running copy's bus interface and its arguments.
    QString method;
    QVariantList arguments;
    // Mode::Add: what the wizard would have been given; Mode::Remove: entries.name only.
    WizardEntries entries;
};

CommandLine parseCommandLine(const QStringList &arguments); // arguments without the program name

QString commandLineHelp();

} // namespace vesperon
