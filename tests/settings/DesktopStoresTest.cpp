// The off-Windows back ends on real files in a temporary configuration folder, reached the way
// the program reaches them (through the settings bundle) and, for what the Qt face does not
// show, through the INI store itself.
#include "settings/IniSettingsStore.h"
#include "settings/SettingsBundle.h"
#include "settings/StoreText.h"
#include "settings/XdgStartupEntries.h"
#include "support/DiskFaults.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace vesperon;
using namespace vesperon::settings;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace {

// Answers a prompt by running an action first (the user fixing the problem) and then giving
// the scripted answer.
class FixingPrompt final : public Prompt {
public:
    std::function<void()> fix;
    QList<Answer> answers;
    QStringList titles;
    QList<Buttons> buttons;
    Answer ask(const QString &, const QString &title, Buttons kind, Icon) override {
        titles.append(title);
        buttons.append(kind);
        if (fix)
            fix();
        return answers.isEmpty() ? Answer::Abort : answers.takeFirst();
    }
};

class DesktopStoresTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    FixingPrompt prompt;
    DesktopPaths paths{root.filePath(QStringLiteral("config")),
                       root.filePath(QStringLiteral("etc-xdg-autostart"))};
    std::unique_ptr<SettingsBundle> bundle =
        SettingsBundle::forPlatform(prompt, paths, QStringLiteral("vesperon"));
    IniSettingsStore files{paths.configDir, QStringLiteral("Quillmark"), QStringLiteral("Vesperon")};

    QString appDir() const { return paths.configDir + QStringLiteral("/Quillmark/Vesperon"); }
    QString programIni() const { return appDir() + QStringLiteral("/program.ini"); }
    QString userIni() const { return appDir() + QStringLiteral("/user.ini"); }
    QString userAutostart() const { return paths.userAutostartDir() + QStringLiteral("/vesperon.desktop"); }
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

    prompt.answers = {Prompt::Answer::Abort};
    bundle->program().setValue(keys::chkMin, QStringLiteral("1"));
    bundle->user().setValue(keys::BackupSetColumn(2), QStringLiteral("1800"));
    EXPECT_EQ(prompt.titles, QStringList{QStringLiteral("Permission Denied")});
    EXPECT_EQ(readBytes(programIni()), program);
    EXPECT_EQ(readBytes(userIni()), user);
}

INSTANTIATE_TEST_SUITE_P(Faults, DesktopStoresOnAFailingDisk,
                         ::testing::Values(test::DiskFault::FullFilesystem, test::DiskFault::FileSizeLimit),
                         [](const auto &info) { return test::faultName(info.param); });

// A FIFO never blocks a read and is never replaced by a write; a file far larger than any the
// program writes is not read.
TEST_F(DesktopStoresTest, OnlyRegularFilesOfSensibleSizeAreRead) {
    ASSERT_TRUE(QDir().mkpath(appDir()));
    ASSERT_TRUE(QDir().mkpath(paths.userAutostartDir()));
    const std::function<void()> readsAsNothing[] = {
        [this] { EXPECT_EQ(bundle->program().value(keys::txtPort), QStringLiteral("25")); },
        [this] { EXPECT_EQ(bundle->user().value(keys::Language), QStringLiteral("English")); },
        [this] { EXPECT_FALSE(bundle->startup().isRegisteredForThisUser()); },
    };
    const QString files[] = {programIni(), userIni(), userAutostart()};
    for (const QString &file : files)
        test::makeFifo(file);
    for (int i = 0; i < 3; ++i)
        test::readWithoutHanging(files[i], readsAsNothing[i]);
    prompt.answers = {Prompt::Answer::Abort};
    test::readWithoutHanging(programIni(), [this] { bundle->program().setValue(keys::chkMin, "1"); });
    test::readWithoutHanging(userIni(), [this] { bundle->user().setValue(keys::Language, "Deutsch"); });
    EXPECT_EQ(prompt.titles, QStringList{QStringLiteral("Permission Denied")});
    for (const QString &file : files)
        EXPECT_FALSE(QFileInfo(file).isFile()) << file.toStdString();

    // Readable entries padded to 2 MiB.
    const QByteArray starts[] = {"[Settings]\ntxtPort=587\n", "[Settings]\nLanguage=Deutsch\n",
                                 "[Desktop Entry]\nExec=vesperon\n"};
    for (int i = 0; i < 3; ++i) {
        QFile::remove(files[i]);
        writeBytes(files[i], starts[i]);
        ASSERT_TRUE(QFile::resize(files[i], 2 << 20));
        readsAsNothing[i]();
    }
    bundle->user().setValue(keys::Language, QStringLiteral("Deutsch"));
    EXPECT_EQ(QFileInfo(userIni()).size(), 2 << 20); // kept, not cut to what could be read
}

TEST_F(DesktopStoresTest, NothingStoredReadsDefaultsAndCreatesNoFile) {
    EXPECT_EQ(bundle->program().value(keys::txtPort), QStringLiteral("25"));
    EXPECT_EQ(bundle->program().value(keys::txtFTPFolder), QStringLiteral("/"));
    EXPECT_EQ(bundle->user().value(keys::Language), QStringLiteral("English"));
    EXPECT_EQ(bundle->user().value(keys::BackupSetColumn(5)), QStringLiteral("1400"));
    EXPECT_FALSE(QFileInfo::exists(paths.configDir));
}

TEST_F(DesktopStoresTest, ProgramStoreWritesItsFileAndNamesIgnoreCase) {
    bundle->program().setValue(keys::txtPort, QStringLiteral("2525"));
    bundle->program().setValue(keys::chkMin, QStringLiteral("1"));
    EXPECT_EQ(readBytes(programIni()), QByteArray("[Settings]\ntxtport=2525\nchkMin=1\n"));
    EXPECT_EQ(bundle->program().value(keys::txtPort), QStringLiteral("2525"));

    EXPECT_TRUE(files.write(SettingsScope::Program, "TxtPort", "587").ok());
    EXPECT_EQ(readBytes(programIni()), QByteArray("[Settings]\nTxtPort=587\nchkMin=1\n"));

    // A second program run (a fresh bundle) sees the same values.
    auto later = SettingsBundle::forPlatform(prompt, paths, QStringLiteral("vesperon"));
    EXPECT_EQ(later->program().value(keys::txtPort), QStringLiteral("587"));
    EXPECT_TRUE(prompt.titles.isEmpty());
}

TEST_F(DesktopStoresTest, EmptyValueReadsEmptyAndScrambledPasswordRoundTrips) {
    ASSERT_TRUE(QDir().mkpath(appDir()));
    writeBytes(programIni(), "[settings]\ntxtUsername=\n");
    EXPECT_EQ(bundle->program().value(keys::txtUsername), QString());
    EXPECT_EQ(bundle->program().value(keys::txtPort), QStringLiteral("25"));

    QString secret = QStringLiteral("p\u00E4ss word\\");
    QString stored = secret;
    bundle->program().setValue(keys::txtPassword2, FlipHighBit(stored));
    QString readBack = bundle->program().value(keys::txtPassword2);
    EXPECT_NE(readBack, secret);
    EXPECT_EQ(FlipHighBit(readBack), secret);
}

TEST_F(DesktopStoresTest, FolderInPlaceOfTheFileTakesThePermissionDeniedPath) {
    ASSERT_TRUE(QDir().mkpath(programIni())); // a folder where program.ini should be
    prompt.answers = {Prompt::Answer::Abort};
    bundle->program().setValue(keys::chkMin, QStringLiteral("1"));
    ASSERT_EQ(prompt.titles, QStringList{QStringLiteral("Permission Denied")});
    EXPECT_EQ(prompt.buttons.first(), Prompt::Buttons::AbortRetryIgnore);

    // Reading it is a failure with the code of a denied access; everyone reads the default.
    const StoreRead read = files.read(SettingsScope::Program, "chkMin");
    EXPECT_EQ(read.outcome, StoreRead::Outcome::Failed);
    EXPECT_EQ(read.failure.code, 5u);
    EXPECT_EQ(read.failure.message, "Could not open registry section");
    EXPECT_EQ(bundle->program().value(keys::chkMin), QStringLiteral("0"));

    // Retry after the folder is gone writes the value.
    prompt.fix = [this] { QDir(programIni()).removeRecursively(); };
    prompt.answers = {Prompt::Answer::Retry};
    bundle->program().setValue(keys::chkMin, QStringLiteral("1"));
    EXPECT_EQ(prompt.titles.size(), 2);
    EXPECT_EQ(readBytes(programIni()), QByteArray("[Settings]\nchkMin=1\n"));
}

TEST_F(DesktopStoresTest, UnwritableFolderAndIgnoreAreRememberedInTheUserFile) {
    ASSERT_TRUE(QDir().mkpath(programIni()));
    prompt.answers = {Prompt::Answer::Ignore};
    bundle->program().setValue(keys::chkMin, QStringLiteral("1"));
    EXPECT_EQ(readBytes(userIni()), QByteArray("[Settings]\nIgnorePermissionDeniedError=1\n"));
    bundle->program().setValue(keys::chkMin, QStringLiteral("1"));
    EXPECT_EQ(prompt.titles.size(), 1);

    // A plain file where the configuration folder should be: nothing can be written at all.
    QTemporaryDir other;
    writeBytes(other.filePath(QStringLiteral("config")), "not a folder");
    DesktopPaths blocked{other.filePath(QStringLiteral("config")), other.filePath(QStringLiteral("none"))};
    FixingPrompt blockedPrompt;
    blockedPrompt.answers = {Prompt::Answer::Ignore};
    auto stuck = SettingsBundle::forPlatform(blockedPrompt, blocked, QStringLiteral("vesperon"));
    stuck->program().setValue(keys::chkMin, QStringLiteral("1"));
    stuck->program().setValue(keys::chkNoShow, QStringLiteral("1"));
    EXPECT_EQ(blockedPrompt.titles.size(), 1); // Ignore holds for the run though it could not be stored
    EXPECT_EQ(stuck->user().value(keys::IgnorePermissionDeniedError), QStringLiteral("0"));
    EXPECT_EQ(stuck->program().value(keys::chkMin), QStringLiteral("0"));
}

TEST_F(DesktopStoresTest, UserStoreKeepsItsOwnFileAndNeverFailsVisibly) {
    bundle->user().setValue(keys::Language, QStringLiteral("Deutsch"));
    bundle->user().setValue(keys::BackupSetColumn(2), QStringLiteral("1800"));
    EXPECT_EQ(readBytes(userIni()), QByteArray("[Settings]\nLanguage=Deutsch\nBackupSetColumn2=1800\n"));
    EXPECT_EQ(files.read(SettingsScope::ThisUser, "LANGUAGE").value, "Deutsch");
    EXPECT_FALSE(QFileInfo::exists(programIni()));

    ASSERT_TRUE(QFile::remove(userIni()));
    ASSERT_TRUE(QDir().mkpath(userIni()));
    bundle->user().setValue(keys::Language, QStringLiteral("Deutsch"));
    EXPECT_EQ(bundle->user().value(keys::Language), QStringLiteral("English"));
    EXPECT_TRUE(prompt.titles.isEmpty());
}

TEST_F(DesktopStoresTest, AutostartEntriesStandForTheRunKeys) {
    EXPECT_FALSE(bundle->startup().isRegisteredForAllUsers()); // neither folder exists
    EXPECT_FALSE(bundle->startup().isRegisteredForThisUser());

    writeAutostart(paths.systemAutostartDir,
                   "[Desktop Entry]\nType=Application\nExec=/usr/bin/other --tray\n");
    EXPECT_FALSE(bundle->startup().isRegisteredForAllUsers());
    writeAutostart(paths.systemAutostartDir,
                   "[Desktop Entry]\nName=Vesperon\nExec=/opt/Quillmark/VESPERON --min\n");
    EXPECT_TRUE(bundle->startup().isRegisteredForAllUsers());
    EXPECT_FALSE(bundle->startup().isRegisteredForThisUser());

    writeAutostart(paths.userAutostartDir(), "[Desktop Action x]\nExec=vesperon\n[Desktop Entry]\nExec=\n");
    EXPECT_FALSE(
        bundle->startup().isRegisteredForThisUser()); // an empty command, the action's line does not count
    writeAutostart(paths.userAutostartDir(), "[Desktop Entry]\nExec=vesperon\nHidden=true\n");
    EXPECT_FALSE(bundle->startup().isRegisteredForThisUser()); // switched off
    writeAutostart(paths.userAutostartDir(),
                   "[Desktop Entry]\r\nExec=env LANG=C vesperon\r\nHidden=false\r\n");
    EXPECT_TRUE(bundle->startup().isRegisteredForThisUser());
    EXPECT_TRUE(bundle->startup().isRegisteredForAllUsers());
}

TEST_F(DesktopStoresTest, NoExecutableNameMatchesNoEntry) {
    writeAutostart(paths.userAutostartDir(), "[Desktop Entry]\nExec=vesperon\n");
    XdgStartupEntries entries(paths.systemAutostartDir, paths.userAutostartDir(),
                              QStringLiteral(" Vesperon "), QString());
    EXPECT_FALSE(entries.isRegisteredForThisUser());
}

TEST(SettingsBundle, ExecutableNameIsTheFileNameWithoutExtension) {
    EXPECT_EQ(SettingsBundle::executableNameOf(QStringLiteral("/usr/bin/vesperon")),
              QStringLiteral("vesperon"));
    EXPECT_EQ(SettingsBundle::executableNameOf(QStringLiteral("C:/Apps/Vesperon.exe")),
              QStringLiteral("Vesperon"));
}

} // namespace
