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
#include <memory>

using namespace vesperon;
using namespace vesperon::settings;

namespace {

constexpr SettingsScope Program = SettingsScope::Program;

class OptionsDialogTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedPrompt prompt;
    test::MemorySettingsStore memory;
    test::FixedStartupEntries startup;
    SettingsBundle settings{memory, startup, prompt};
    ProgramValues values;
    LanguageEngine languages{localizationFilePath(dir.path()), values};
    std::unique_ptr<OptionsDialog> window;

    void SetUp() override { SetDefaultMessages(languages); }

    OptionsDialog &open() {
        window =
            std::make_unique<OptionsDialog>(settings.program(), startup, languages, values.CurrentLanguage);
        window->load();
        window->show();
        return *window;
    }
    QCheckBox *box(const SettingKey &key) const {
        return window->findChild<QCheckBox *>(settingName(key.name));
    }
    QLineEdit *edit(const SettingKey &key) const {
        return window->findChild<QLineEdit *>(settingName(key.name));
    }
    // The text under a name as the store keeps it, or "<none>".
    QString storedText(const std::string &name) const { return fromStoreText(memory.text(Program, name)); }
    void preset(const std::string &name, const QString &text) {
        memory.put(Program, name, toStoreText(text));
    }
    // A click on the box itself, as the user makes it.
    static void clickBox(QCheckBox *box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
};

// Every change is stored at once, a password scrambled; loading a value into a control that did
// not hold it stores it (a ticked box its own value, an empty box its default).
TEST_F(OptionsDialogTest, EveryChangeIsStoredAtOncePasswordsScrambled) {
    const QString plain = u"Pa55 w\u00f6rd"_s,
                  scrambled = u"\u00d0\u00e1\u00b5\u00b5\u00a0\u00f7v\u00f2\u00e4"_s;
    preset("chkSplash", u"-1"_s);
    preset("txtPassword2", scrambled);
    open();
    EXPECT_TRUE(box(keys::chkSplash)->isChecked());
    EXPECT_EQ(storedText("chkSplash"), "1");
    EXPECT_EQ(storedText("txtPort"), "25");
    EXPECT_EQ(edit(keys::txtPassword2)->text(), plain);

    clickBox(box(keys::chkSplash));
    EXPECT_EQ(storedText("chkSplash"), "0");
    QTest::keyClicks(edit(keys::txtPort), u"0"_s);
    EXPECT_EQ(storedText("txtPort"), "250");
    edit(keys::txtFTPPassword)->setText(plain);
    EXPECT_EQ(storedText("txtFTPPassword"), scrambled);
    QString edges = QStringLiteral(u"\u0000\u0080\u007f\u00ff\u20ac"); // NUL, 128 and wide letters stay
    EXPECT_EQ(FlipHighBit(edges), QStringLiteral(u"\u0000\u0080\u00ff\u007f\u20ac"));
}

} // namespace
