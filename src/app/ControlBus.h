#pragma once

#include <QString>

class QTextStream;

namespace vesperon {

struct CommandLine;

// The names under which the running program answers scripts on the session bus.
namespace controlbus {
inline const QString Service = QStringLiteral("example.quillmark.Vesperon");
inline const QString Path = QStringLiteral("/");
inline const QString Interface = QStringLiteral("example.quillmark.Vesperon1");
inline const QString UnknownAction = QStringLiteral("example.quillmark.Vesperon1.Error.UnknownAction");
inline const QString UnknownDelay = QStringLiteral("example.quillmark.Vesperon1.Error.UnknownDelay");
} // namespace controlbus

// Exit statuses of a request to the running copy.
enum RemoteStatus { RemoteDone = 0, RemoteFailed = 1, RemoteRefused = 2, RemoteNotRunning = 3 };

// Sends a request of the command line (Mode::Remote) to the running copy and writes its answer
// to out, or one line saying what went wrong to err. Never starts the program.
int sendRemoteRequest(const CommandLine &command, QTextStream &out, QTextStream &err);

} // namespace vesperon
