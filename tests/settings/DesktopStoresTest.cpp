// The off-Windows back ends on real files in a temporary configuration folder, reached the way
// the program reaches them (through the settings bundle) and, for what the Qt face does not
// show, through the INI store itself.
#include "settings/IniSettingsStore.h"
#include "settings/SettingsBundle.h"
#include "settings/StoreText.h"
#include "support/CoreDoubles.h"
#include "support/DiskFaults.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vesperon;
using namespace vesperon::settings;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace {

class DesktopStoresTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    test::ScriptedPrompt prompt; // out of answers, it takes Abort
    DesktopPaths paths{root.filePath(QStringLiteral("config")),
                       root.filePath(QStringLiteral("etc-xdg-autostart"))};
    std::unique_ptr<SettingsBundle> bundle =
        SettingsBundle::forPlatform(prompt, paths, QStringLiteral("vesperon"));
    IniSettingsStore files{paths.configDir, QStringLiteral("Quillmark"), QStringLiteral("Vesperon")};

    QString appDir() const { return paths.configDir + QStringLiteral("/Quillmark/Vesperon"); }
    QString programIni() const { return appDir() + QStringLiteral("/program.ini"); }
    QString userIni() const { return appDir() + QStringLiteral("/user.ini"); }
    void writeAutostart(const QString &folder, const QByteArray &text) {
        ASSERT_TRUE(QDir().mkpath(folder));
        writeBytes(folder + QStringLiteral("/vesperon.desktop"), text);
    }
};

class DesktopStoresOnAFailingDisk : public DesktopStoresTest,
                                    public ::testing::WithParamInterface<test::DiskFault> {};

TEST_P(DesktopStoresOnAFailingDisk, KeepBothFilesAndTakeThePermissionDeniedPathForTheProgramFile) {
    test::DiskFaultScope fault(GetParam(), appDir());
    if (!fault.unavailable().isEmpty())
        GTEST_SKIP() << fault.unavailable().toStdString();
    bundle->program().setValue(keys::txtPort, QStringLiteral("2525"));
    bundle->user().setValue(keys::Language, QStringLiteral("Deutsch"));
    const QByteArray program = readBytes(programIni());
    const QByteArray user = readBytes(userIni());
    fault.fill();
    ASSERT_FALSE(HasFatalFailure());

    bundle->program().setValue(keys::chkMin, QStringLiteral("1"));
    bundle->user().setValue(keys::BackupSetColumn(2), QStringLiteral("1800"));
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions()[0].title, QStringLiteral("Permission Denied"));
    EXPECT_EQ(readBytes(programIni()), program);
    EXPECT_EQ(readBytes(userIni()), user);
}

INSTANTIATE_TEST_SUITE_P(Faults, DesktopStoresOnAFailingDisk,
                         ::testing::Values(test::DiskFault::FullFilesystem, test::DiskFault::FileSizeLimit),
                         [](const auto &info) { return test::faultName(info.param); });

// Values go to two INI files, one per scope, names compared without regard to case; nothing
// is written before a value is.
TEST_F(DesktopStoresTest, EachScopeKeepsItsOwnFileAndASecondRunReadsIt) {
    EXPECT_EQ(bundle->program().value(keys::txtPort), QStringLiteral("25"));
    EXPECT_EQ(bundle->user().value(keys::BackupSetColumn(5)), QStringLiteral("1400"));
    EXPECT_FALSE(QFileInfo::exists(paths.configDir));

    bundle->program().setValue(keys::txtPort, QStringLiteral("2525"));
    bundle->program().setValue(keys::chkMin, QStringLiteral("1"));
    bundle->user().setValue(keys::Language, QStringLiteral("Deutsch"));
    EXPECT_EQ(readBytes(programIni()), QByteArray("[Settings]\ntxtport=2525\nchkMin=1\n"));
    EXPECT_EQ(readBytes(userIni()), QByteArray("[Settings]\nLanguage=Deutsch\n"));
    EXPECT_TRUE(files.write(SettingsScope::Program, "TxtPort", "587").ok());
    EXPECT_EQ(readBytes(programIni()), QByteArray("[Settings]\nTxtPort=587\nchkMin=1\n"));

    auto later = SettingsBundle::forPlatform(prompt, paths, QStringLiteral("vesperon"));
    EXPECT_EQ(later->program().value(keys::txtPort), QStringLiteral("587"));
    EXPECT_EQ(later->user().value(keys::Language), QStringLiteral("Deutsch"));
    EXPECT_TRUE(prompt.questions().isEmpty());

    // A user file that cannot be written fails without a word; everyone reads the default.
    ASSERT_TRUE(QFile::remove(userIni()));
    ASSERT_TRUE(QDir().mkpath(userIni()));
    bundle->user().setValue(keys::Language, QStringLiteral("Deutsch"));
    EXPECT_EQ(bundle->user().value(keys::Language), QStringLiteral("English"));
    EXPECT_TRUE(prompt.questions().isEmpty());
}

// The XDG autostart entries stand for the Run keys: an entry whose command runs this program.
TEST_F(DesktopStoresTest, AutostartEntriesStandForTheRunKeys) {
    EXPECT_FALSE(bundle->startup().isRegisteredForAllUsers()); // neither folder exists
    const struct {
        QByteArray entry;
        bool registered;
    } entries[] = {
        {"[Desktop Entry]\nType=Application\nExec=/usr/bin/other --tray\n", false},
        {"[Desktop Action x]\nExec=vesperon\n[Desktop Entry]\nExec=\n", false},
        {"[Desktop Entry]\nExec=vesperon\nHidden=true\n", false},
        {"[Desktop Entry]\nName=Vesperon\nExec=/opt/Quillmark/VESPERON --min\n", true},
        {"[Desktop Entry]\r\nExec=env LANG=C vesperon\r\nHidden=false\r\n", true},
    };
    for (const auto &e : entries) {
        writeAutostart(paths.userAutostartDir(), e.entry);
        EXPECT_EQ(bundle->startup().isRegisteredForThisUser(), e.registered) << e.entry.constData();
        EXPECT_FALSE(bundle->startup().isRegisteredForAllUsers());
    }
    writeAutostart(paths.systemAutostartDir, "[Desktop Entry]\nExec=vesperon\n");
    EXPECT_TRUE(bundle->startup().isRegisteredForAllUsers());
}

} // namespace
