#pragma once

#include <QRect>
#include <QString>

namespace vesperon {

struct ProgramValues;

// Sets ProgramName, CompanyName and Website from the program's version information.
void loadVersionInfo(ProgramValues &values);

// "major.minor", each as a plain decimal number (1 and 2 give "1.2").
QString versionText(int major, int minor);

// The address the web-site launcher opens: unchanged when it holds "http://" or "https://"
// (any letter case), otherwise with "http://" in front.
QString websiteAddress(const QString &address);

// Window measures are designed in twips, 15 to the pixel at 96 dots per inch.
constexpr int pixelsFromTwips(int twips) {
    return (twips + 7) / 15;
}
constexpr QRect rectFromTwips(int left, int top, int width, int height) {
    return QRect(pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width),
                 pixelsFromTwips(height));
}

} // namespace vesperon
