#include "app/ControlBus.h"

#include "app/CommandLine.h"
#include "app/Listing.h"
#include "core/ProductInfo.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QTextStream>

namespace vesperon {

namespace {

// A running copy answers at once; one that does not within this long is as good as hung.
constexpr int ReplyTimeoutMs = 5000;

bool noCopyOwnsTheName(const QString &errorName) {
    return errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           errorName == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
}

int send(QDBusConnection &bus, const CommandLine &command, QTextStream &out, QTextStream &err) {
    const QString notRunning = QStringLiteral("%1 is not running\n").arg(QLatin1String(product::ProgramName));
    if (!bus.isConnected()) {
        err << notRunning;
        return RemoteNotRunning;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(controlbus::Service, controlbus::Path,
                                                       controlbus::Interface, command.method);
    call.setArguments(command.arguments);
    call.setAutoStartService(false); // asking must never start a copy
    const QDBusMessage reply = bus.call(call, QDBus::Block, ReplyTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        // The next run, as --list writes its columns; nothing when none is planned.
        const QVariantList values = reply.arguments();
        if (values.size() == 3 && !values.at(0).toString().isEmpty()) {
            QStringList columns;
            for (const QVariant &value : values)
                columns << escapedForListing(value.toString());
            out << columns.join(QLatin1Char('\t')) << '\n';
        }
        return RemoteDone;
    }
    if (noCopyOwnsTheName(reply.errorName())) {
        err << notRunning;
        return RemoteNotRunning;
    }
    err << "vesperon: " << reply.errorMessage().simplified() << '\n';
    const bool refused =
        reply.errorName() == controlbus::UnknownAction || reply.errorName() == controlbus::UnknownDelay;
    return refused ? RemoteRefused : RemoteFailed;
}

} // namespace

int sendRemoteRequest(const CommandLine &command, QTextStream &out, QTextStream &err) {
    // Qt's bus thread can still be handed a message while the program ends, after Qt's table of
    // registered types is gone (it then complains on standard error). A type registered before
    // the first connection makes that table outlive the thread.
    qRegisterMetaType<QDBusMessage>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    return send(bus, command, out, err);
}

} // namespace vesperon
