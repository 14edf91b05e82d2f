#pragma once

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

} // namespace vesperon
