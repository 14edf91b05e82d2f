// How the options window turns stored texts into control contents and back, and how it
// words the start-up registration.
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

TEST(OptionsFields, OnlyPasswordsAreScrambledAndOnlyInTheStoredCopy) {
    const QString plain = QStringLiteral("Ab1 \u00e9\u20ac"); // e-acute flips, the euro sign cannot
    const QString stored = settingFromText(plain, FieldKind::Password);
    EXPECT_EQ(stored, QStringLiteral("\u00c1\u00e2\u00b1\u00a0i\u20ac"));
    EXPECT_EQ(plain, QStringLiteral("Ab1 \u00e9\u20ac")); // the caller's text is left alone
    EXPECT_EQ(textFromSetting(stored, FieldKind::Password), plain);
    EXPECT_EQ(settingFromText(plain, FieldKind::Text), plain);
    EXPECT_EQ(textFromSetting(stored, FieldKind::Text), stored);
    EXPECT_EQ(settingFromText(QString(), FieldKind::Password), QString());
}

TEST(OptionsFields, AllUsersEntryWinsAndThisUserIsAskedOnlyWithoutIt) {
    int allAsked = 0;
    int thisAsked = 0;
    const auto ask = [&](bool all, bool mine) {
        return runAtStartText(
            [&] {
                ++allAsked;
                return all;
            },
            [&] {
                ++thisAsked;
                return mine;
            });
    };
    EXPECT_EQ(ask(true, true), "(Enabled - All Users)");
    EXPECT_EQ(thisAsked, 0);
    EXPECT_EQ(ask(false, true), "(Enabled - This User)");
    EXPECT_EQ(ask(false, false), "(Disabled - Run Manually)");
    EXPECT_EQ(allAsked, 3);
    EXPECT_EQ(thisAsked, 2);
}

} // namespace
