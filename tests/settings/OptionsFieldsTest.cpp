// How the options window turns stored check-box texts into ticks and back.
#include "settings/OptionsFields.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace vesperon::settings;

namespace {

TEST(OptionsFields, CheckBoxesTickForAnyWholeNumberButZero) {
    EXPECT_TRUE(checkedFromSetting(QStringLiteral("1")));
    EXPECT_TRUE(checkedFromSetting(QStringLiteral("-1"))); // the program's own "true"
    EXPECT_TRUE(checkedFromSetting(QStringLiteral(" 1 ")));
    EXPECT_FALSE(checkedFromSetting(QStringLiteral("0")));
    EXPECT_FALSE(checkedFromSetting(QStringLiteral("")));
    // A damaged value shows a clear box instead of stopping the window.
    EXPECT_FALSE(checkedFromSetting(QStringLiteral("yes")));
    EXPECT_FALSE(checkedFromSetting(QStringLiteral("1.5")));
    EXPECT_EQ(settingFromChecked(true), "1");
    EXPECT_EQ(settingFromChecked(false), "0");
}

} // namespace
