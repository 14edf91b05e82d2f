#pragma once

#include <QList>
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

class RecordingShell final : public Shell {
public:
    QStringList opened;
    QList<QStringList> started; // program first, then its arguments
    bool answer = true;

    bool open(const QString &documentOrAddress) override {
        opened << documentOrAddress;
        return answer;
    }
    bool start(const QString &program, const QStringList &arguments) override {
        started << (QStringList{program} + arguments);
        return answer;
    }
};

} // namespace vesperon
