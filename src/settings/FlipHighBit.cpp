#include "settings/FlipHighBit.h"

namespace vesperon::settings {

unsigned char flipHighBitCode(unsigned char code) {
    if (code == 0 || code == 128)
        return code;
    return static_cast<unsigned char>(code < 128 ? code + 128 : code - 128);
}

std::string &FlipHighBit(std::string &text) {
    for (char &c : text)
        c = static_cast<char>(flipHighBitCode(static_cast<unsigned char>(c)));
    return text;
}

} // namespace vesperon::settings
