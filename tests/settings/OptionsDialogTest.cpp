// General Preferences on settings held in memory: what it shows, what it stores and when.
#include "settings/OptionsDialog.h"
#include "localization/LanguageEngine.h"
#include "localization/LocalizationFile.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "settings/SettingsBundle.h"
#include "settings/StoreText.h"
#include "support/CoreDoubles.h"
#include "support/QtPrinters.h"
#include "support/SettingsDoubles.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
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
    // The controls are named after their settings.
    QCheckBox *box(const SettingKey &key) const {
        return window->findChild<QCheckBox *>(settingName(key.name));
    }
    QLineEdit *edit(const SettingKey &key) const {
        return window->findChild<QLineEdit *>(settingName(key.name));
    }
    QLabel *runAtStartLabel() const { return window->findChild<QLabel *>(QStringLiteral("lblRunAtStart")); }
    // The value under a name exactly as the store keeps it: its spelling and its text.
    const test::MemorySettingsStore::Value *stored(const std::string &name) const {
        return memory.find(Program, name);
    }
    QString storedText(const std::string &name) const {
        const test::MemorySettingsStore::Value *value = stored(name);
        return value ? fromStoreText(value->text) : QStringLiteral("<none>");
    }
    void preset(const std::string &name, const QString &text) {
        memory.put(Program, name, toStoreText(text));
    }
    // A click on the box itself, as the user makes it.
    static void clickBox(QCheckBox *box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
};

TEST_F(OptionsDialogTest, EmptyStoreShowsTheDefaultsAndStoresThoseTheDesignLacks) {
    open();
    for (const SettingKey &key :
         {keys::chkMin, keys::chkSplash, keys::chkNoShow, keys::chkAlwaysExit, keys::chkLog, keys::chkAuth})
        EXPECT_FALSE(box(key)->isChecked()) << key.name;
    EXPECT_EQ(edit(keys::txtPort)->text(), "25");
    EXPECT_EQ(edit(keys::txtFTPPort)->text(), "21");
    EXPECT_EQ(edit(keys::txtFTPFolder)->text(), "/");
    EXPECT_EQ(edit(keys::txtEmailFrom)->text(), "someone@example.com");
    EXPECT_EQ(edit(keys::txtEmailTo)->text(), "someone@example.com");
    EXPECT_EQ(edit(keys::txtServer)->text(), "mail.example.com");
    for (const SettingKey &key : {keys::txtUsername, keys::txtPassword2, keys::txtFTPHost,
                                  keys::txtFTPPassword, keys::txtFTPUsername, keys::txtLanFolder})
        EXPECT_EQ(edit(key)->text(), QString()) << key.name;

    // Loading a value into a control that did not hold it stores it, under the name the
    // window writes it with.
    EXPECT_EQ(storedText("txtport"), "25");
    EXPECT_EQ(stored("txtport")->name, "txtport");
    EXPECT_EQ(storedText("txtFTPfolder"), "/");
    EXPECT_EQ(stored("txtFTPfolder")->name, "txtFTPfolder");
    EXPECT_EQ(storedText("txtFTPPort"), "21");
    EXPECT_EQ(storedText("txtEmailFrom"), "someone@example.com");
    EXPECT_EQ(storedText("txtEmailTo"), "someone@example.com");
    EXPECT_EQ(storedText("txtServer"), "mail.example.com");
    // Clear boxes and empty texts match the design: nothing else is written.
    EXPECT_EQ(memory.count(Program), 6u);
    EXPECT_TRUE(prompt.questions().isEmpty());

    // Every opening starts from the design content, so it stores the same values again.
    EXPECT_EQ(memory.writes(Program), 6);
    window.reset();
    open();
    EXPECT_EQ(memory.writes(Program), 12);
    EXPECT_EQ(memory.count(Program), 6u);
    EXPECT_EQ(storedText("txtport"), "25");
}

TEST_F(OptionsDialogTest, TickingOpenMinimizedWritesOneAtOnceAndClosingKeepsIt) {
    open();
    QCheckBox *chkMin = box(keys::chkMin);
    ASSERT_TRUE(chkMin->isVisible());
    clickBox(chkMin);
    EXPECT_TRUE(chkMin->isChecked());
    EXPECT_EQ(storedText("chkMin"), "1");
    EXPECT_EQ(settings.program().value(keys::chkMin), "1"); // what the next start reads

    clickBox(box(keys::chkAlwaysExit));
    EXPECT_EQ(storedText("chkAlwaysExit"), "1");
    box(keys::chkAlwaysExit)->click();
    EXPECT_EQ(storedText("chkAlwaysExit"), "0");

    // The start-up box only reports; it cannot be changed here.
    auto *runAtStart = window->findChild<QCheckBox *>(QStringLiteral("chkRunAtStart"));
    EXPECT_FALSE(runAtStart->isEnabled());
    clickBox(runAtStart);
    EXPECT_FALSE(runAtStart->isChecked());

    window->close();
    EXPECT_EQ(settings.program().value(keys::chkMin), "1");
    EXPECT_EQ(settings.program().value(keys::chkAlwaysExit), "0");
}

TEST_F(OptionsDialogTest, StoredValuesLoadIntoTheirControlsWhateverTheSpellingOfTheirKey) {
    preset("CHKNOSHOW", QStringLiteral("1"));
    preset("chkSplash", QStringLiteral("-1"));
    preset("chkAuth", QStringLiteral("on")); // hand-edited: cannot be shown, stays as it is
    preset("txtPort", QStringLiteral("587"));
    preset("TXTFTPFOLDER", QStringLiteral("/backups"));
    preset("txtLanFolder", QStringLiteral("\\\\server\\share"));
    open();
    EXPECT_TRUE(box(keys::chkNoShow)->isChecked());
    EXPECT_TRUE(box(keys::chkSplash)->isChecked());
    EXPECT_FALSE(box(keys::chkAuth)->isChecked());
    EXPECT_EQ(edit(keys::txtPort)->text(), "587");
    EXPECT_EQ(edit(keys::txtFTPFolder)->text(), "/backups");
    EXPECT_EQ(edit(keys::txtLanFolder)->text(), "\\\\server\\share");

    EXPECT_EQ(storedText("chkNoShow"), "1");
    EXPECT_EQ(storedText("chkSplash"), "1"); // ticking the box stored the box's own value
    EXPECT_EQ(storedText("chkAuth"), "on");
    EXPECT_EQ(storedText("txtport"), "587");
    EXPECT_EQ(storedText("txtFTPfolder"), "/backups");

    // Every text box, seen or not, writes as it changes.
    edit(keys::txtFTPHost)->setText(QStringLiteral("ftp.example.com"));
    EXPECT_EQ(storedText("txtFTPHost"), "ftp.example.com");
    QTest::keyClicks(edit(keys::txtPort), QStringLiteral("0"));
    EXPECT_EQ(storedText("txtPort"), "5870");
    edit(keys::txtLanFolder)->clear();
    EXPECT_EQ(storedText("txtLanFolder"), "");
}

TEST_F(OptionsDialogTest, PasswordsAreStoredScrambledAndShownPlain) {
    QString scrambled = QStringLiteral("s3cret!");
    FlipHighBit(scrambled);
    preset("txtPassword2", scrambled);
    open();
    EXPECT_EQ(edit(keys::txtPassword2)->text(), "s3cret!");
    EXPECT_EQ(edit(keys::txtPassword2)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(storedText("txtPassword2"), scrambled);
    // The six defaults and the password once: its second read finds the box holding it.
    EXPECT_EQ(memory.writes(Program), 7);

    edit(keys::txtFTPPassword)->setText(QStringLiteral("Pa55 w\u00f6rd"));
    EXPECT_EQ(edit(keys::txtFTPPassword)->text(), QStringLiteral("Pa55 w\u00f6rd"));
    EXPECT_EQ(storedText("txtFTPPassword"),
              QStringLiteral("\u00d0\u00e1\u00b5\u00b5\u00a0\u00f7v\u00f2\u00e4"));
    EXPECT_EQ(stored("txtFTPPassword")->text.find("Pa55"), std::string::npos);

    // A fresh window shows what was typed.
    window.reset();
    open();
    EXPECT_EQ(edit(keys::txtFTPPassword)->text(), QStringLiteral("Pa55 w\u00f6rd"));
    EXPECT_EQ(edit(keys::txtPassword2)->text(), "s3cret!");
}

TEST_F(OptionsDialogTest, StartUpLabelReportsTheRegistrationAllUsersFirst) {
    open();
    EXPECT_EQ(runAtStartLabel()->text(), "(Disabled - Run Manually)");

    startup.thisUser = true;
    open();
    EXPECT_EQ(runAtStartLabel()->text(), "(Enabled - This User)");

    startup.allUsers = true;
    open();
    EXPECT_EQ(runAtStartLabel()->text(), "(Enabled - All Users)");

    startup.thisUser = false;
    open();
    EXPECT_EQ(runAtStartLabel()->text(), "(Enabled - All Users)");
}

TEST_F(OptionsDialogTest, LoadingTranslatesTheWindowButNotTheStartUpLabel) {
    test::writeBytes(localizationFilePath(dir.path()),
                     "<LANGUAGE_GROUP xml:lang=\"de\">\r\n\t<LANGUAGE_NAME>Deutsch</LANGUAGE_NAME>\r\n"
                     "\t<TRANSLATION_ITEMS>\r\n"
                     "\t\t<frmOptions_Frame1>Start</frmOptions_Frame1>\r\n"
                     "\t\t<frmOptions_chkMin>Minimiert im Infobereich starten</frmOptions_chkMin>\r\n"
                     "\t\t<frmOptions_lblRunAtStart>(Aus)</frmOptions_lblRunAtStart>\r\n"
                     "\t\t<frmOptions_lblInfo>(?)</frmOptions_lblInfo>\r\n"
                     "\t\t<MSG_TITLEOPTIONS>Einstellungen von [ProgramName]</MSG_TITLEOPTIONS>\r\n"
                     "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n");
    values.CurrentLanguage = QStringLiteral("Deutsch");
    open();
    EXPECT_EQ(window->windowTitle(), "Einstellungen von Vesperon");
    EXPECT_EQ(window->findChild<QGroupBox *>(QStringLiteral("Frame1"))->title(), "Start");
    EXPECT_EQ(box(keys::chkMin)->text(), "Minimiert im Infobereich starten");
    EXPECT_EQ(runAtStartLabel()->text(), "(Disabled - Run Manually)");
    const auto markers = window->findChildren<QLabel *>(QStringLiteral("lblInfo"));
    ASSERT_EQ(markers.size(), 6);
    for (QLabel *marker : markers)
        EXPECT_EQ(marker->text(), "(?)");
}

TEST_F(OptionsDialogTest, OnlyTheStartUpAndMiscGroupsAreInSight) {
    open();
    EXPECT_TRUE(liveWindows().windows().contains(window.get()));
    EXPECT_TRUE(box(keys::chkMin)->isVisible());
    EXPECT_TRUE(box(keys::chkAlwaysExit)->isVisible());
    EXPECT_TRUE(box(keys::chkNoShow)->isVisible());
    EXPECT_FALSE(box(keys::chkLog)->isVisible());

    for (const char *name : {"Frame3", "Frame4", "Frame5"}) {
        auto *group = window->findChild<QGroupBox *>(QLatin1String(name));
        ASSERT_NE(group, nullptr) << name;
        EXPECT_FALSE(group->isVisible()) << name;
        EXPECT_GE(group->y(), window->height()) << name;
    }
    EXPECT_FALSE(edit(keys::txtLanFolder)->isVisible());
}

} // namespace
