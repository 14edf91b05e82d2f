// The off-Windows back ends on real files in a temporary configuration folder, reached the way
// the program reaches them (through the settings bundle) and, for what the Qt face does not
// show, through the INI store itself.
#include "settings/IniSettingsStore.h"
#include "settings/SettingsBundle.h"
#include "settings/StoreText.h"
#include "support/CoreDoubles.h"
#include "support/DiskFaults.h"
#include "support/Testing.h"

using namespace vesperon;
using namespace vesperon::settings;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace {

class DesktopStoresTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    test::ScriptedPrompt prompt; // out of answers, it takes Abort
    DesktopPaths paths{root.filePath(u"config"_s), root.filePath(u"etc-xdg-autostart"_s)};
    std::unique_ptr<SettingsBundle> bundle = SettingsBundle::forPlatform(prompt, paths, u"vesperon"_s);
    IniSettingsStore files{paths.configDir, u"Quillmark"_s, u"Vesperon"_s};

    QString appDir() const { return paths.configDir + u"/Quillmark/Vesperon"_s; }
    QString programIni() const { return appDir() + u"/program.ini"_s; }
    QString userIni() const { return appDir() + u"/user.ini"_s; }
    void writeAutostart(const QString &folder, const QByteArray &text) {
        ASSERT_TRUE(QDir().mkpath(folder));
        writeBytes(folder + u"/vesperon.desktop"_s, text);
    }
};

using DesktopStoresOnAFailingDisk = test::OnEachDiskFault<DesktopStoresTest>;

TEST_P(DesktopStoresOnAFailingDisk, KeepBothFilesAndTakeThePermissionDeniedPathForTheProgramFile) {
    test::DiskFaultScope fault(GetParam(), appDir());
    if (!fault.unavailable().isEmpty())
        GTEST_SKIP() << fault.unavailable().toStdString();
    bundle->program().setValue(keys::txtPort, u"2525"_s);
    bundle->user().setValue(keys::Language, u"Deutsch"_s);
    const QByteArray program = readBytes(programIni());
    const QByteArray user = readBytes(userIni());
    fault.fill();
    ASSERT_FALSE(HasFatalFailure());

    bundle->program().setValue(keys::chkMin, u"1"_s);
    bundle->user().setValue(keys::BackupSetColumn(2), u"1800"_s);
    EXPECT_EQ(prompt.questions().size(), 1); // the program file's failure only
    EXPECT_EQ(readBytes(programIni()), program);
    EXPECT_EQ(readBytes(userIni()), user);
}

INSTANTIATE_TEST_SUITE_P(Faults, DesktopStoresOnAFailingDisk, test::EveryDiskFault, test::faultName);

// Values go to two INI files, one per scope, names compared without regard to case.
TEST_F(DesktopStoresTest, EachScopeKeepsItsOwnFileAndASecondRunReadsIt) {
    bundle->program().setValue(keys::txtPort, u"2525"_s);
    bundle->program().setValue(keys::chkMin, u"1"_s);
    bundle->user().setValue(keys::Language, u"Deutsch"_s);
    EXPECT_EQ(readBytes(programIni()), QByteArray("[Settings]\ntxtport=2525\nchkMin=1\n"));
    EXPECT_EQ(readBytes(userIni()), QByteArray("[Settings]\nLanguage=Deutsch\n"));
    EXPECT_TRUE(files.write(SettingsScope::Program, "TxtPort", "587").ok());
    EXPECT_EQ(readBytes(programIni()), QByteArray("[Settings]\nTxtPort=587\nchkMin=1\n"));

    auto later = SettingsBundle::forPlatform(prompt, paths, u"vesperon"_s);
    EXPECT_EQ(later->program().value(keys::txtPort), u"587"_s);
    EXPECT_EQ(later->user().value(keys::Language), u"Deutsch"_s);
}

// The XDG autostart entries stand for the Run keys: an entry whose command runs this program.
TEST_F(DesktopStoresTest, AutostartEntriesStandForTheRunKeys) {
    const std::pair<QByteArray, bool> entries[] = {
        {"[Desktop Entry]\nType=Application\nExec=/usr/bin/other --tray\n", false},
        {"[Desktop Action x]\nExec=vesperon\n[Desktop Entry]\nExec=\n", false},
        {"[Desktop Entry]\nExec=vesperon\nHidden=true\n", false},
        {"[Desktop Entry]\r\nName=Vesperon\r\nExec=/opt/Quillmark/VESPERON --min\r\n", true},
    };
    for (const auto &[entry, registered] : entries) {
        writeAutostart(paths.userAutostartDir(), entry);
        EXPECT_EQ(bundle->startup().isRegisteredForThisUser(), registered) << entry.constData();
    }
    EXPECT_FALSE(bundle->startup().isRegisteredForAllUsers());
    writeAutostart(paths.systemAutostartDir, "[Desktop Entry]\nExec=vesperon\n");
    EXPECT_TRUE(bundle->startup().isRegisteredForAllUsers());
}

} // namespace
