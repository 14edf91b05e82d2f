#pragma once

// The password scrambler: every character code 1-127 becomes code + 128 and every code
// 129-255 becomes code - 128. Codes 0 and 128 stay as they are (128 would become a NUL, which a
// stored string cannot hold), so scrambling twice always gives back the original text.
// Like its callers expect, it changes the text it is given and also returns it.

#include <string>

namespace vesperon::settings {

unsigned char flipHighBitCode(unsigned char code);

// Byte by byte, each byte a character of the ANSI code page.
std::string &FlipHighBit(std::string &text);

} // namespace vesperon::settings
