#include "settings/FlipHighBit.h"

#include "settings/StoreText.h"
#include <gtest/gtest.h>

using namespace vesperon::settings;

namespace {

TEST(FlipHighBit, EveryCodeRoundTripsAndOnlyNulAnd128StayPut) {
    for (int code = 0; code < 256; ++code) {
        std::string text(1, static_cast<char>(code));
        FlipHighBit(text);
        const int scrambled = static_cast<unsigned char>(text[0]);
        EXPECT_EQ(scrambled, code == 0 || code == 128 ? code : code ^ 0x80) << code;
        FlipHighBit(text);
        EXPECT_EQ(static_cast<unsigned char>(text[0]), code);
    }
    QString wide = QStringLiteral("a\u20AC");
    FlipHighBit(wide);
    EXPECT_EQ(wide, QStringLiteral("\u00E1\u20AC"));
}

} // namespace
