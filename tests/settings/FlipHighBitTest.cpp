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
        if (code == 0 || code == 128)
            EXPECT_EQ(scrambled, code);
        else
            EXPECT_EQ(scrambled, code < 128 ? code + 128 : code - 128) << code;
        EXPECT_NE(scrambled == 0, code != 0) << "code " << code << " must not become a NUL";
        FlipHighBit(text);
        EXPECT_EQ(static_cast<unsigned char>(text[0]), code);
    }
}

TEST(FlipHighBit, QStringFormRoundTripsEveryCodeAndLeavesWiderCharactersAlone) {
    QString all;
    for (int code = 0; code < 256; ++code)
        all += QChar(code);
    all += QStringLiteral("\u20AC\u4E2D");
    QString text = all;
    FlipHighBit(text);
    EXPECT_EQ(text[int('a')], QChar(0xE1));
    EXPECT_EQ(text[0xE1], QChar('a'));
    EXPECT_EQ(text[128], QChar(128));
    EXPECT_EQ(text.right(2), QStringLiteral("\u20AC\u4E2D"));
    FlipHighBit(text);
    EXPECT_EQ(text, all);
}

} // namespace
