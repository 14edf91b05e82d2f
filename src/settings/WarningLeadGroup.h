#pragma once

#include <QString>

class QWidget;

namespace vesperon::settings {

class UserSettings;

// The warning's lead time as stored: whole seconds from 0 to 600; anything else (a hand-edited
// word, an empty value) is the default, 60.
int warningLeadSeconds(const QString &stored);

// The options window's group for the warning before a scheduled action, added below its other
// groups (the window grows by its height). The box shows the user's setting and stores every
// change at once, as the window's other controls do.
void addWarningLeadGroup(QWidget &optionsWindow, UserSettings &user);

} // namespace vesperon::settings
