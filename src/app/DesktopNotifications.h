#pragma once

#include <QString>

namespace vesperon {

enum class NotificationUrgency { Normal, Critical };

// A notification through the desktop's notification service (org.freedesktop.Notifications on
// the session bus). False, without waiting, when no such service runs or can be started;
// the reply is not awaited.
bool sendDesktopNotification(const QString &title, const QString &text, NotificationUrgency urgency);

} // namespace vesperon
