#include "app/ControlAdaptor.h"

#include "app/ControlBus.h"
#include "app/MainWindow.h"
#include "app/RunGuard.h"

#include <QDBusMetaType>

namespace vesperon {

QDBusArgument &operator<<(QDBusArgument &argument, const ShownSchedule &row) {
    argument.beginStructure();
    argument << row.name << row.type << row.lastRunTime << row.nextRunTime << row.enabled;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, ShownSchedule &row) {
    argument.beginStructure();
    argument >> row.name >> row.type >> row.lastRunTime >> row.nextRunTime >> row.enabled;
    argument.endStructure();
    return argument;
}

ControlAdaptor::ControlAdaptor(QObject *object, QDBusConnection bus, MainWindow &window)
    : QDBusAbstractAdaptor(object), m_bus(std::move(bus)), m_window(window) {
    qDBusRegisterMetaType<ShownSchedule>();
    qDBusRegisterMetaType<QList<ShownSchedule>>();
    connect(&window.runGuard().warner(), &RunWarner::warning, this, [this](const UpcomingRun &run) {
        emit ActionStarting(run.type, run.name, run.moment.toString(Qt::ISODate));
    });
}

QList<ShownSchedule> ControlAdaptor::ListSchedules() const {
    const ScheduleListModel &model = m_window.scheduleList();
    const auto shown = [&model](int row, int column) { return model.index(row, column).data().toString(); };
    QList<ShownSchedule> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        rows.append({shown(row, ScheduleListModel::NameColumn), shown(row, ScheduleListModel::TypeColumn),
                     shown(row, ScheduleListModel::LastRunColumn),
                     shown(row, ScheduleListModel::NextRunColumn),
                     shown(row, ScheduleListModel::EnabledColumn)});
    }
    return rows;
}

QString ControlAdaptor::NextAction(QString &isoTime, QString &name) const {
    const auto next = m_window.runGuard().warner().nextRun();
    if (!next)
        return QString();
    isoTime = next->moment.toString(Qt::ISODate);
    name = next->name;
    return next->type;
}

void ControlAdaptor::refuse(const QDBusMessage &call, const QString &error, const QString &text) {
    call.setDelayedReply(true); // the error is the answer
    m_bus.send(call.createErrorReply(error, text));
}

void ControlAdaptor::QuickSchedule(const QString &action, const QString &delay, const QDBusMessage &call) {
    switch (m_window.quickSchedule(action, delay)) {
    case MainWindow::QuickAnswer::UnknownAction:
        refuse(call, controlbus::UnknownAction,
               QStringLiteral("\"%1\" is not an action this computer offers").arg(action));
        break;
    case MainWindow::QuickAnswer::UnknownDelay:
        refuse(call, controlbus::UnknownDelay, QStringLiteral("\"%1\" is not a delay").arg(delay));
        break;
    case MainWindow::QuickAnswer::Done:
        break;
    }
}

void ControlAdaptor::SkipNext() {
    m_window.runGuard().skipNext();
}

void ControlAdaptor::SetPrevent(bool on) {
    m_window.setPreventSchedules(on);
}

void ControlAdaptor::Reload() {
    m_window.reloadSchedules();
}

std::unique_ptr<ControlService> ControlService::publish(MainWindow &window, QDBusConnection bus) {
    if (!bus.isConnected())
        return nullptr;
    std::unique_ptr<ControlService> service(new ControlService(bus));
    new ControlAdaptor(&service->m_object, bus, window);
    if (!bus.registerObject(controlbus::Path, &service->m_object, QDBusConnection::ExportAdaptors))
        return nullptr;
    service->m_objectRegistered = true;
    if (!bus.registerService(controlbus::Service))
        return nullptr;
    service->m_serviceRegistered = true;
    return service;
}

ControlService::~ControlService() {
    if (m_serviceRegistered)
        m_bus.unregisterService(controlbus::Service);
    if (m_objectRegistered)
        m_bus.unregisterObject(controlbus::Path);
}

} // namespace vesperon
