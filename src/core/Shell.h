#pragma once

#include <QString>
#include <QStringList>

namespace vesperon {

// Opening documents and addresses with their default programs, and starting commands.
// Production uses the desktop's services (app/DesktopShell); tests record the requests.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file path or an address ("http://...") with its default program.
    virtual bool open(const QString &documentOrAddress) = 0;
    // Starts a program without waiting for it.
    virtual bool start(const QString &program, const QStringList &arguments) = 0;
};

} // namespace vesperon
