#pragma once

#include "core/Twips.h"

#include <QString>
#include <array>
#include <optional>

namespace vesperon {

// The decisions of the main window, as plain functions of what the window knows.
// Measures are in twips (1/1440 inch; 15 twips to a pixel at 96 dots per inch).

// What a resize does: the list and the web-site button follow the window's size.
struct ResizeResult {
    int websiteButtonWidth; // twips
    int listWidth;
    int listHeight;
};
// windowWidth/Height are the window's outer size; the lefts and top are the controls' places.
// Nothing changes for a minimized window. A window narrower than a control's left edge
// gives the absolute value of the difference, as the program always has.
std::optional<ResizeResult> resizeControls(int windowWidth, int windowHeight, bool minimized,
                                           int websiteButtonLeft = 9720, int listLeft = 60,
                                           int listTop = 1680);

// The schedule list's column widths in twips until the user sets them: together they fit the
// list, so an empty list shows every column's title without a scroll bar (the defaults of the
// BackupSetColumn settings are the same).
inline constexpr std::array<int, 5> ColumnDesignTwips{2600, 2000, 2600, 2600, 1400};

// A stored column width ("BackupSetColumn<n>") as twips: the nearest whole number. A text
// that is not a number, or lies outside the 16-bit range, gives the design width.
int columnTwipsFromSetting(const QString &stored, int designTwips = 2500);
// A width in twips as it is stored: the shortest text of a single-precision number.
QString columnSettingFromTwips(double twips);

// The main window's answer to a close request.
enum class CloseReason { User = 0, Program = 1, SystemShutdown = 2, TaskManager = 3, Owner = 4 };
struct CloseDecision {
    bool proceed = false;    // let the window unload: the program ends
    bool hide = false;       // hide the window to the tray
    bool showPrompt = false; // show the still-running reminder
};
// exitRequested is set for a system shutdown or the task manager, and read otherwise.
CloseDecision decideClose(CloseReason reason, bool &exitRequested, const QString &chkAlwaysExit,
                          const QString &chkNoShow);

// Which commands a click on a row enables. What an administrator deployed is not the user's to
// change or delete.
struct ItemCommandStates {
    bool edit = false;
    bool remove = false;
};
inline ItemCommandStates commandsForClickedRow(bool rowHasFile, bool managed = false) {
    return {rowHasFile && !managed, !managed};
}

} // namespace vesperon
