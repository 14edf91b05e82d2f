#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace vesperon {

// What the program was asked to do on its command line. With no options it starts the
// desktop program; the listing and the informational options never open a window.
struct CommandLine {
    enum class Mode { Desktop, List, History, Help, Version, Error };
    Mode mode = Mode::Desktop;
    std::optional<QDateTime> at; // --at: the moment the listing computes next runs for
    QString error;               // one line, for Mode::Error
};

CommandLine parseCommandLine(const QStringList &arguments); // arguments without the program name

QString commandLineHelp();

} // namespace vesperon
