#pragma once

// Window measures as the program's layouts give them: twips, 1/1440 inch, 15 to a pixel at
// 96 dots per inch. Conversions drop any part of a pixel.

#include <QRect>

namespace vesperon {

inline constexpr int TwipsPerPixel = 15;

constexpr int toPixels(int twips) {
    return twips / TwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace vesperon
