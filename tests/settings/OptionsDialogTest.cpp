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
#include <QLabel>
#include <QLineEdit>
#include <memory>

using namespace vesperon;
using namespace vesperon::settings;
using vesperon::test::writeBytes;

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
    // The controls are named after their settings.
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

// Loading a value into a control that did not hold it stores it, under the name the window
// writes it with; clear boxes and empty texts match the design, so nothing else is written.
TEST_F(OptionsDialogTest, EmptyStoreShowsTheDefaultsAndStoresThoseTheDesignLacks) {
    open();
    const struct {
        SettingKey key;
        const char *writtenAs;
        const char *text;
    } defaults[] = {{keys::txtPort, "txtport", "25"}, {keys::txtFTPFolder, "txtFTPfolder", "/"}};
    for (const auto &d : defaults) {
        ASSERT_NE(memory.find(Program, d.writtenAs), nullptr) << d.writtenAs;
        EXPECT_EQ(memory.find(Program, d.writtenAs)->name, d.writtenAs);
        EXPECT_EQ(storedText(d.writtenAs), d.text);
    }
    EXPECT_EQ(memory.count(Program), 6u);
    EXPECT_TRUE(prompt.questions().isEmpty());
}

TEST_F(OptionsDialogTest, EveryChangeIsStoredAtOnceAndStoredValuesLoadWhateverTheirSpelling) {
    preset("CHKNOSHOW", u"1"_s);
    preset("chkSplash", u"-1"_s);
    preset("chkAuth", u"on"_s); // hand-edited: cannot be shown, stays as it is
    preset("TXTFTPFOLDER", u"/backups"_s);
    open();
    EXPECT_TRUE(box(keys::chkNoShow)->isChecked());
    EXPECT_TRUE(box(keys::chkSplash)->isChecked());
    EXPECT_FALSE(box(keys::chkAuth)->isChecked());
    EXPECT_EQ(edit(keys::txtFTPFolder)->text(), "/backups");
    EXPECT_EQ(storedText("chkSplash"), "1"); // ticking the box stored the box's own value
    EXPECT_EQ(storedText("chkAuth"), "on");

    clickBox(box(keys::chkMin));
    EXPECT_EQ(settings.program().value(keys::chkMin), "1"); // what the next start reads
    box(keys::chkNoShow)->click();
    EXPECT_EQ(storedText("chkNoShow"), "0");
    QTest::keyClicks(edit(keys::txtPort), u"0"_s);
    EXPECT_EQ(storedText("txtPort"), "250");
    edit(keys::txtFTPHost)->setText(u"ftp.example.com"_s); // out of sight, still stored
    EXPECT_EQ(storedText("txtFTPHost"), "ftp.example.com");

    // The start-up box only reports; it cannot be changed here.
    auto *runAtStart = window->findChild<QCheckBox *>(u"chkRunAtStart"_s);
    clickBox(runAtStart);
    EXPECT_FALSE(runAtStart->isChecked());
    window->close();
    EXPECT_EQ(settings.program().value(keys::chkMin), "1");
}

TEST_F(OptionsDialogTest, PasswordsAreStoredScrambledAndShownPlain) {
    QString scrambled = u"s3cret!"_s;
    FlipHighBit(scrambled);
    preset("txtPassword2", scrambled);
    open();
    EXPECT_EQ(edit(keys::txtPassword2)->text(), "s3cret!");
    EXPECT_EQ(storedText("txtPassword2"), scrambled);

    edit(keys::txtFTPPassword)->setText(u"Pa55 w\u00f6rd"_s);
    EXPECT_EQ(storedText("txtFTPPassword"), u"\u00d0\u00e1\u00b5\u00b5\u00a0\u00f7v\u00f2\u00e4"_s);
    window.reset();
    open();
    EXPECT_EQ(edit(keys::txtFTPPassword)->text(), u"Pa55 w\u00f6rd"_s);
    QString edges = QStringLiteral(u"\u0000\u0080\u007f\u00ff\u20ac"); // NUL, 128 and wide letters stay
    EXPECT_EQ(FlipHighBit(edges), QStringLiteral(u"\u0000\u0080\u00ff\u007f\u20ac"));
}

TEST_F(OptionsDialogTest, StartUpLabelReportsTheRegistrationAllUsersFirst) {
    const struct {
        bool thisUser, allUsers;
        const char *label;
    } cases[] = {{false, false, "(Disabled - Run Manually)"}, {true, true, "(Enabled - All Users)"}};
    // The window is translated when it loads; the label is filled in after that.
    writeBytes(localizationFilePath(dir.path()),
               "<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME><TRANSLATION_ITEMS>\r\n"
               "\t\t<frmOptions_lblRunAtStart>(Aus)</frmOptions_lblRunAtStart>\r\n"
               "\t</TRANSLATION_ITEMS></LANGUAGE_GROUP>\r\n");
    values.CurrentLanguage = u"Deutsch"_s;
    for (const auto &c : cases) {
        startup.thisUser = c.thisUser;
        startup.allUsers = c.allUsers;
        open();
        EXPECT_EQ(window->findChild<QLabel *>(u"lblRunAtStart"_s)->text(), c.label);
    }
}

} // namespace
