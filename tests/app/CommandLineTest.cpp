#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "schedule/ScheduleFile.h"
#include "support/ScheduleRecords.h"
#include "support/Testing.h"

#include <QProcess>

using namespace vesperon;

namespace {

TEST(CommandLine, ReadsListingOptionsAndRefusesTheRest) {
    const std::pair<QStringList, CommandLine::Mode> cases[] = {
        {{}, CommandLine::Mode::Desktop},
        {{"--help"}, CommandLine::Mode::Help},
        {{"--list", "--at"}, CommandLine::Mode::Error},
        {{"--list", "--at", "2026-13-10 14:20:30"}, CommandLine::Mode::Error},
        {{"--list", "--at", "9999-12-31 23:59:59"},
         CommandLine::Mode::List}, // the last moment a schedule has
        {{"--at", "2026-06-10 14:20:30"}, CommandLine::Mode::Error},
        {{"--remove", "Nightly"}, CommandLine::Mode::Remove},
        {{"--remove", "Nightly", "Other"}, CommandLine::Mode::Error},
        {{"--add", "--action", "Reboot", "--start", "2030-01-02 22:00"}, CommandLine::Mode::Error},
        {{"--add", "N", "--action", "Reboot", "--start", "2030-01-02 22:00x"}, CommandLine::Mode::Error},
        {{"--add", "N", "--action", "reboot", "--start", "2030-01-02 22:00"}, CommandLine::Mode::Error},
        {{"--add", "N", "--action", "Reboot", "--start"}, CommandLine::Mode::Error},
        {{"--add", "N", "--action", "Reboot", "--start", "2030-01-02 22:00", "--daily", "--weekdays", "mon"},
         CommandLine::Mode::Error},
        {{"--add", "N", "--action", "Reboot", "--start", "2030-01-02 22:00", "--weekdays", "mon,xyz"},
         CommandLine::Mode::Error},
        {{"--list", "--add", "N"}, CommandLine::Mode::Error},
    };
    for (const auto &[arguments, mode] : cases) {
        const CommandLine parsed = parseCommandLine(arguments);
        EXPECT_EQ(parsed.mode, mode) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(parsed.error.isEmpty(), mode != CommandLine::Mode::Error);
    }
}

// The real binary, copied into a folder of its own (a portable install whose data/ the test
// fills), lists each schedule for the given moment, one line each; names are escaped, and what
// cannot be read is named on standard error with status 1.
TEST(ListingBinary, PrintsEveryScheduleEscapedAndNamesWhatCannotBeRead) {
    QTemporaryDir dir;
    const QString binary = dir.filePath(u"vesperon"_s), data = dir.filePath(u"data"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(VESPERON_BINARY), binary) && QDir().mkdir(data));
    ASSERT_FALSE(WriteScheduleFile(
        test::enabledSchedule(u"Nightly"_s, u"Shut Down"_s, u"6/1/2026"_s, u"22:00:00"_s), data));
    test::writeBytes(data + u"/tab\there too.sch"_s, "");
    test::writeBytes(data + u"/\x1b[31mred.sch"_s, "");
    test::writeBytes(data + u"/huge.sch"_s, QByteArray(200000, 'x'));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LC_ALL"_s, u"en_US.UTF-8"_s);
    environment.insert(u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s));
    process.setProcessEnvironment(environment);
    process.start(binary, {"--list", "--at", "2026-06-10 23:00:00"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardOutput(), QByteArray("\\x1b[31mred\t\t\t\tNo\n"
                                                          "huge\t\t\t\tNo\n"
                                                          "Nightly\tShut Down\t\t6/11/2026 22:00:00\tYes\n"
                                                          "tab\\there too\t\t\t\tNo\n"));
    EXPECT_EQ(process.readAllStandardError(),
              QByteArray("vesperon: cannot read the schedule file of huge\n"));

    // A listing that cannot be written is an error, not a success.
    QFile::remove(data + u"/huge.sch"_s);
    process.setStandardOutputFile(u"/dev/full"_s);
    process.start(binary, {"--list"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().startsWith("vesperon: cannot write the listing"));
}

// A second start of the program is run-e2e.sh's: it exits at once and raises the first copy.
TEST(SingleInstance, ARuntimeFolderThatCannotHoldTheLockFallsBackToAPrivateFolder) {
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(u"runtime"_s);
    test::writeBytes(notAFolder, "a file where the runtime folder should be");
    SingleInstance first(notAFolder);
    EXPECT_TRUE(first.acquired());
    EXPECT_EQ(first.lockFolder(), SingleInstance::fallbackLockFolder());
    EXPECT_EQ(QFile::permissions(first.lockFolder()) & 0x0077, 0); // nobody else's business
    // The lock still keeps a second copy out.
    SingleInstance second(notAFolder);
    EXPECT_FALSE(second.acquired());
    // It asks the first copy, over the socket beside the lock, to show its window.
    int requests = 0;
    ASSERT_TRUE(first.listenForLaterCopies([&requests] { ++requests; }));
    EXPECT_FALSE(first.askRunningCopyToShow());
    EXPECT_TRUE(second.askRunningCopyToShow());
    EXPECT_TRUE(QTest::qWaitFor([&requests] { return requests == 1; }));
}

} // namespace
