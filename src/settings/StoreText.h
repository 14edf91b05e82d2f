#pragma once

// Texts cross the Registry seam as bytes: the ANSI code page on Windows, UTF-8 elsewhere.
// The password scrambler works on character codes 0-255 at this level.

#include <QString>
#include <string>

namespace vesperon::settings {

std::string toStoreText(const QString &text);
QString fromStoreText(const std::string &bytes);

// FlipHighBit on each character whose code is 0-255 (the Latin-1 codes; characters beyond
// them cannot be represented in the stored text and are left alone). Changes the text it is
// given and returns it; scrambling twice gives back the original.
QString &FlipHighBit(QString &text);

} // namespace vesperon::settings
