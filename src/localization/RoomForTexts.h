#pragma once

class QWidget;

namespace vesperon {

// Gives every control of a window the room its current text needs. The windows place their
// controls at fixed positions, sized for English at 96 dots per inch; a longer translation, a
// larger font or a style with bigger check boxes would be cut off there. A control that needs
// more room grows (check boxes and option buttons to their full height, labels and buttons to
// their text's width, wrapped labels to their lines); the controls to its right and below it
// move along, as far as the gap between them does not absorb the growth, and the group boxes
// and the window grow to hold them. Controls whose text fits keep their places, so a window
// that fits keeps its design layout. It never shrinks anything: running it again, or after a
// shorter language, changes nothing.
//
// A window laid out by a QLayout is left to its layout. A control with the property
// "elidesText" set shortens its own text instead of growing.
void makeRoomForTexts(QWidget *window);

} // namespace vesperon
