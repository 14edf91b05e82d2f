#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "schedule/ScheduleFile.h"
#include "support/QtPrinters.h"
#include "support/ScheduleRecords.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace vesperon;

namespace {

TEST(CommandLine, ReadsListingOptionsAndRefusesTheRest) {
    EXPECT_EQ(parseCommandLine({}).mode, CommandLine::Mode::Desktop);
    EXPECT_EQ(parseCommandLine({QStringLiteral("--list")}).mode, CommandLine::Mode::List);
    // "--list --at" with a moment is driven through the real binary below.
    EXPECT_EQ(parseCommandLine({QStringLiteral("--version")}).mode, CommandLine::Mode::Version);
    EXPECT_EQ(parseCommandLine({QStringLiteral("--help")}).mode, CommandLine::Mode::Help);
    for (const QStringList &bad :
         {QStringList{QStringLiteral("--bogus")},
          QStringList{QStringLiteral("--list"), QStringLiteral("--at")},
          QStringList{QStringLiteral("--list"), QStringLiteral("--at"),
                      QStringLiteral("2026-13-10 14:20:30")},
          QStringList{QStringLiteral("--list"), QStringLiteral("--at"),
                      QStringLiteral("-0001-01-01 00:00:00")},
          QStringList{QStringLiteral("--at"), QStringLiteral("2026-06-10 14:20:30")}}) {
        const CommandLine parsed = parseCommandLine(bad);
        EXPECT_EQ(parsed.mode, CommandLine::Mode::Error) << bad.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(parsed.error.isEmpty());
    }
}

// The real binary, copied into a folder of its own: a portable install whose data/ the test fills.
class ListingBinary : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString binary;
    void SetUp() override {
        binary = dir.filePath(QStringLiteral("vesperon"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(VESPERON_BINARY), binary));
        QDir(dir.path()).mkdir(QStringLiteral("data"));
    }
    struct Result {
        int exitCode = -1;
        QByteArray out, err;
    };
    Result run(const QStringList &arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        process.setProcessEnvironment(environment);
        process.start(binary, arguments);
        process.waitForFinished(30000);
        return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    }
};

TEST_F(ListingBinary, PrintsEveryScheduleForTheGivenMoment) {
    const ScheduleRecord r = test::enabledSchedule(QStringLiteral("Nightly"), QStringLiteral("Shut Down"),
                                                   QStringLiteral("6/1/2026"), QStringLiteral("22:00:00"));
    ASSERT_FALSE(WriteScheduleFile(r, dir.filePath(QStringLiteral("data"))));
    const Result process =
        run({QStringLiteral("--list"), QStringLiteral("--at"), QStringLiteral("2026-06-10 23:00:00")});
    EXPECT_EQ(process.exitCode, 0);
    EXPECT_EQ(process.out, QByteArray("Nightly\tShut Down\t\t6/11/2026 22:00:00\tYes\n"));
}

TEST_F(ListingBinary, NamesAreEscapedAndWhatCannotBeReadIsNamedWithStatusOne) {
    const QString data = dir.filePath(QStringLiteral("data"));
    test::writeBytes(data + QStringLiteral("/tab\there.sch"), "");
    test::writeBytes(data + QStringLiteral("/\x1b[31mred.sch"), "");
    test::writeBytes(data + QStringLiteral("/huge.sch"), QByteArray(200000, 'x'));
    const Result process = run({QStringLiteral("--list")});
    EXPECT_EQ(process.exitCode, 1);
    EXPECT_EQ(process.out, QByteArray("\\x1b[31mred\t\t\t\tNo\n"
                                      "huge\t\t\t\tNo\n"
                                      "tab\\there\t\t\t\tNo\n"));
    EXPECT_EQ(process.err, QByteArray("vesperon: cannot read the schedule file of huge\n"));

    // A listing that cannot be written is an error, not a success.
    QFile::remove(data + QStringLiteral("/huge.sch"));
    QProcess full;
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    full.start(binary, {QStringLiteral("--list")});
    ASSERT_TRUE(full.waitForFinished(30000));
    EXPECT_NE(full.exitCode(), 0);
    EXPECT_TRUE(full.readAllStandardError().startsWith("vesperon: cannot write the listing"));
}

TEST_F(ListingBinary, ABadOptionIsAOneLineErrorWithStatusTwo) {
    const Result process =
        run({QStringLiteral("--list"), QStringLiteral("--at"), QStringLiteral("tomorrow")});
    EXPECT_EQ(process.exitCode, 2);
    EXPECT_TRUE(process.out.isEmpty());
    const QByteArray error = process.err;
    EXPECT_EQ(error.count('\n'), 1);
    EXPECT_TRUE(error.startsWith("vesperon: ")) << error.toStdString();
}

} // namespace

namespace {

QByteArray folderSnapshot(const QString &path) {
    QByteArray snapshot;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    for (const QString &file : files) {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        snapshot += file.toUtf8() + '\n' + f.readAll() + '\n';
    }
    return snapshot;
}

TEST_F(ListingBinary, ASecondCopyEndsAtOnceWithoutTouchingAnything) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("HOME"), dir.path());
    QDir(dir.path()).mkdir(QStringLiteral("runtime"));

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(binary, {});
    ASSERT_TRUE(first.waitForStarted(10000));
    // The first copy is up once it has written its first setting.
    const QString userSettings = dir.filePath(QStringLiteral("config/Quillmark/Vesperon/user.ini"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(userSettings); }, 20000));
    const QByteArray before = folderSnapshot(dir.filePath(QStringLiteral("config")));

    QProcess second;
    second.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    second.start(binary, {});
    // It must not wait for anything; how fast it goes depends on the machine, so the time is
    // reported rather than asserted.
    ASSERT_TRUE(second.waitForFinished(10000));
    RecordProperty("second_copy_ms", static_cast<int>(timer.elapsed()));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_EQ(folderSnapshot(dir.filePath(QStringLiteral("config"))), before);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished(5000);
}

} // namespace

namespace {

TEST(SingleInstance, ARuntimeFolderThatCannotHoldTheLockFallsBackToAPrivateFolder) {
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("runtime"));
    test::writeBytes(notAFolder, "a file where the runtime folder should be");
    SingleInstance first(notAFolder);
    EXPECT_TRUE(first.acquired());
    EXPECT_EQ(first.lockFolder(), SingleInstance::fallbackLockFolder());
    EXPECT_EQ(QFile::permissions(first.lockFolder()) & 0x0077, 0); // nobody else's business
    // The lock still keeps a second copy out.
    SingleInstance second(notAFolder);
    EXPECT_FALSE(second.acquired());
}

} // namespace
