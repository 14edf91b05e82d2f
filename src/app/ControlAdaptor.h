#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <memory>

namespace vesperon {

class MainWindow;

// One row of the schedule list as the window shows it.
struct ShownSchedule {
    QString name, type, lastRunTime, nextRunTime, enabled;
};
QDBusArgument &operator<<(QDBusArgument &argument, const ShownSchedule &row);
const QDBusArgument &operator>>(const QDBusArgument &argument, ShownSchedule &row);

// The running program's interface for scripts on the session bus. Each call does what the
// matching control of the main window does; the work stays in the window and its RunGuard.
class ControlAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "example.quillmark.Vesperon1")
public:
    // Answers on bus, for the window.
    ControlAdaptor(QObject *object, QDBusConnection bus, MainWindow &window);

public slots:
    QList<vesperon::ShownSchedule> ListSchedules() const;
    // The next run: its action, then its moment (ISO 8601) and schedule; empty when none.
    QString NextAction(QString &isoTime, QString &name) const;
    void QuickSchedule(const QString &action, const QString &delay, const QDBusMessage &call);
    void SkipNext();
    void SetPrevent(bool on);
    void Reload();

signals:
    // Sent as the warning before a run is shown.
    void ActionStarting(const QString &action, const QString &name, const QString &isoTime);

private:
    void refuse(const QDBusMessage &call, const QString &error, const QString &text);

    QDBusConnection m_bus;
    MainWindow &m_window;
};

// The interface published under the program's name for as long as this lives.
class ControlService {
public:
    // Nothing when there is no such bus or another copy holds the name: the program runs on
    // without it.
    static std::unique_ptr<ControlService> publish(MainWindow &window, QDBusConnection bus);
    ~ControlService();

private:
    explicit ControlService(QDBusConnection bus) : m_bus(std::move(bus)) {}
    QDBusConnection m_bus;
    QObject m_object;
    bool m_objectRegistered = false;
    bool m_serviceRegistered = false;
};

} // namespace vesperon

Q_DECLARE_METATYPE(vesperon::ShownSchedule)
