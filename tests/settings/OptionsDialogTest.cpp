// General Preferences on settings held in memory: what it shows, what it stores and when.
#include "settings/OptionsDialog.h"
#include "localization/LanguageEngine.h"
#include "localization/LocalizationFile.h"
#include "localization/ProgramValues.h"
#include "settings/SettingsBundle.h"
#include "settings/StoreText.h"
#include "support/CoreDoubles.h"
#include "support/SettingsDoubles.h"
#include "support/Testing.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace vesperon;
using namespace vesperon::settings;

namespace {

constexpr SettingsScope Program = SettingsScope::Program;

// Every change is stored at once, a password scrambled; loading a value into a control that did
// not hold it stores it (a ticked box its own value, an empty box its default).
TEST(OptionsDialogTest, EveryChangeIsStoredAtOncePasswordsScrambled) {
    QTemporaryDir dir;
    test::ScriptedPrompt prompt;
    test::MemorySettingsStore memory;
    test::FixedStartupEntries startup;
    SettingsBundle settings{memory, startup, prompt};
    ProgramValues values;
    LanguageEngine languages{localizationFilePath(dir.path()), values};
    SetDefaultMessages(languages);
    const auto stored = [&memory](const char *name) { return fromStoreText(memory.text(Program, name)); };
    const QString plain = u"Pa55 w\u00f6rd"_s,
                  scrambled = u"\u00d0\u00e1\u00b5\u00b5\u00a0\u00f7v\u00f2\u00e4"_s;
    memory.put(Program, "chkSplash", "-1");
    memory.put(Program, "txtPassword2", toStoreText(scrambled));
    OptionsDialog window(settings.program(), startup, languages, values.CurrentLanguage);
    window.load();
    window.show();
    const auto edit = [&window](const SettingKey &key) {
        return window.findChild<QLineEdit *>(settingName(key.name));
    };
    auto *splash = window.findChild<QCheckBox *>(settingName(keys::chkSplash.name));
    EXPECT_TRUE(splash->isChecked());
    EXPECT_EQ(stored("chkSplash"), "1");
    EXPECT_EQ(stored("txtPort"), "25");
    EXPECT_EQ(edit(keys::txtPassword2)->text(), plain);

    QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(6, splash->height() / 2)); // on the box
    EXPECT_EQ(stored("chkSplash"), "0");
    QTest::keyClicks(edit(keys::txtPort), u"0"_s);
    EXPECT_EQ(stored("txtPort"), "250");
    edit(keys::txtFTPPassword)->setText(plain);
    EXPECT_EQ(stored("txtFTPPassword"), scrambled);
    QString edges = QStringLiteral(u"\u0000\u0080\u007f\u00ff\u20ac"); // NUL, 128 and wide letters stay
    EXPECT_EQ(FlipHighBit(edges), QStringLiteral(u"\u0000\u0080\u00ff\u007f\u20ac"));
}

} // namespace
