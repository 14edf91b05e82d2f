// What scripts ask of the main window, through the program's bus interface.

#include "app/MainWindow.h"

#include "core/Clock.h"
#include "schedule/QuickSchedule.h"

#include <QCheckBox>
#include <QComboBox>

namespace vesperon {

MainWindow::QuickAnswer MainWindow::quickSchedule(const QString &action, const QString &delay) {
    // Only what the action box offers: no hibernation where the system cannot hibernate.
    if (m_cbShutdown->findText(action) < 0)
        return QuickAnswer::UnknownAction;
    if (delay == QuickScheduleNow) {
        // After the answer has gone: the script hears "done" before the computer goes down, and
        // a refusal told in a message box does not keep it waiting.
        QMetaObject::invokeMethod(
            this, [this, action] { performAction(QString(), action, true); }, Qt::QueuedConnection);
        return QuickAnswer::Done;
    }
    const QDateTime now = m_seams.clock.now();
    if (!quickScheduleTarget(delay, now))
        return QuickAnswer::UnknownDelay;
    m_model.appendRow(quickScheduleRow(action, delay, now));
    return QuickAnswer::Done;
}

void MainWindow::setPreventSchedules(bool on) {
    m_chkPrevent->setChecked(on);
}

} // namespace vesperon
