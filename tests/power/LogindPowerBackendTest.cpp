// The logind back end against python3-dbusmock's logind on a private bus.

#include "power/LogindPowerBackend.h"
#include "power/PowerController.h"
#include "support/LogindBus.h"

#include <QDBusArgument>
#include <optional>
#include <unistd.h>

using namespace vesperon;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class LogindTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(mock.startBus()); }

    void startLogind(const QString &parameters = "{}") {
        ASSERT_TRUE(mock.startLogind(parameters, logPath()));
    }
    QString logPath() const { return m_dir.filePath("logind.log"); }

    // The calls logind received, without their time stamps ("PowerOff False"); the test's
    // own set-up and look-ups are left out.
    QStringList calls() const {
        static const QStringList setUp = {"AddSession", "AddSeat", "AddUser", "Get",
                                          "GetAll",     "Set",     "emit",    "ListInhibitors"};
        QFile file(logPath());
        QStringList lines;
        for (const QByteArray &line :
             file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QByteArrayList()) {
            const QString call = QString::fromUtf8(line.mid(line.indexOf(' ') + 1));
            if (!line.isEmpty() && !setUp.contains(call.section(' ', 0, 0)))
                lines << call;
        }
        return lines;
    }

    void replaceMethod(const QString &name, const QString &in, const QString &out, const QString &code) {
        ASSERT_TRUE(mock.replaceMethod(name, in, out, code));
    }

    // Waits until logind holds count inhibitors: the stand-in drops one when it sees the
    // descriptor closed, a moment later.
    bool inhibitorCountBecomes(int count) {
        return QTest::qWaitFor(
            [&] {
                const QDBusMessage reply = mock.call("org.freedesktop.login1.Manager", "ListInhibitors");
                const QDBusArgument argument = reply.arguments().value(0).value<QDBusArgument>();
                int held = 0;
                argument.beginArray();
                for (QString what, who, why, mode; !argument.atEnd(); ++held) {
                    quint32 uid = 0, pid = 0;
                    argument.beginStructure();
                    argument >> what >> who >> why >> mode >> uid >> pid;
                    argument.endStructure();
                }
                argument.endArray();
                return held == count;
            },
            5000);
    }

    QDBusConnection &bus() { return mock.bus(); }

    // The answer queryCanHibernate gives, once it comes.
    static bool laterAnswer(LogindPowerBackend &logind) {
        std::optional<bool> answer;
        logind.queryCanHibernate([&](bool canHibernate) { answer = canHibernate; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 10000));
        return answer.value_or(false);
    }

    QTemporaryDir m_dir;
    test::LogindBus mock;
};

TEST_F(LogindTest, EachActionReachesLogindAsItsCall) {
    startLogind();
    LogindPowerBackend logind(bus(), "c7");
    PowerController power(logind);
    for (const char *action : {"Shut Down", "Reboot", "Log Off", "Stand by", "Hibernate"})
        EXPECT_EQ(power.perform(action).status, PowerOutcome::Status::Requested) << action;
    // The user watching (Go with "Now", "Do it now") lets polkit ask for a password.
    for (const char *action : {"Shut Down", "Reboot", "Stand by", "Hibernate"})
        EXPECT_TRUE(power.perform(action, true).requested()) << action;
    EXPECT_THAT(calls(), ElementsAre("PowerOff False", "Reboot False", "TerminateSession \"c7\"",
                                     "Suspend False", "Hibernate False", "PowerOff True", "Reboot True",
                                     "Suspend True", "Hibernate True"));
}

// Without a session id the session of this process is ended; an answer that names no session
// ends nothing, and says so.
TEST_F(LogindTest, LogOffWithoutASessionIdEndsTheSessionOfThisProcess) {
    startLogind();
    mock.mockCall("AddSession", {"c3", "seat0", 1000u, "someone", true});
    replaceMethod("GetSessionByPID", "u", "o", "ret = dbus.ObjectPath('/org/freedesktop/login1/session/c3')");
    LogindPowerBackend logind(bus());
    EXPECT_TRUE(logind.logOff().ok);
    EXPECT_THAT(calls(), ElementsAre(u"GetSessionByPID %1"_s.arg(::getpid()), "Terminate"));
    for (const char *answer : {"", "ret = dbus.ObjectPath('/')"}) {
        replaceMethod("GetSessionByPID", "u", *answer ? "o" : "", answer);
        EXPECT_FALSE(logind.logOff().ok) << answer;
    }
    EXPECT_EQ(calls().count("Terminate"), 1);
}

// Only "yes" means yes; a logind that keeps silent is asked, not waited for, and given up on
// after the time limit.
TEST_F(LogindTest, HibernationIsAvailableOnlyWhenLogindSaysYes) {
    startLogind("{\"CanHibernate\": \"yes\"}");
    LogindPowerBackend logind(bus());
    EXPECT_TRUE(logind.canHibernate());
    EXPECT_TRUE(laterAnswer(logind));
    for (const char *answer : {"challenge", "Yes"}) {
        replaceMethod("CanHibernate", "", "s", u"ret = '%1'"_s.arg(answer));
        EXPECT_FALSE(logind.canHibernate()) << answer;
        EXPECT_FALSE(laterAnswer(logind)) << answer;
    }
    replaceMethod("CanHibernate", "", "s", "import time; time.sleep(3); ret = 'yes'");
    LogindPowerBackend impatient(bus(), QString(), 200);
    std::optional<bool> answer;
    impatient.queryCanHibernate([&](bool canHibernate) { answer = canHibernate; });
    EXPECT_FALSE(answer.has_value());
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 10000));
    EXPECT_FALSE(*answer);
}

TEST_F(LogindTest, RefusingSuspendHoldsAnInhibitorThatStepsAsideForOurOwnSleep) {
    startLogind();
    // Each sleep request notes how many inhibitors logind held when it arrived. The stand-in
    // notices a closed inhibitor in its main loop, so it gets a few rounds of it first.
    for (const char *method : {"Suspend", "Hibernate"})
        replaceMethod(method, "b", "",
                      "from gi.repository import GLib\n"
                      "for _ in range(20): GLib.MainContext.default().iteration(False)\n"
                      "self.log('held %d' % len(globals().get('inhibitors', [])))");
    LogindPowerBackend logind(bus());
    EXPECT_TRUE(logind.suspend().ok); // a sleep while nothing is refused takes no inhibitor
    {
        PowerController power(logind);
        power.setSleepBlocked(true);
        ASSERT_TRUE(logind.inhibitorHeld());
        EXPECT_TRUE(inhibitorCountBecomes(1));
        EXPECT_TRUE(power.perform("Stand by").requested());
        EXPECT_TRUE(power.perform("Hibernate").requested());
        EXPECT_TRUE(inhibitorCountBecomes(1)); // taken again after each request
        power.setSleepBlocked(false);
        EXPECT_FALSE(logind.inhibitorHeld());
        EXPECT_TRUE(inhibitorCountBecomes(0));
        power.setSleepBlocked(true);
    }
    const QString inhibit = u"Inhibit \"sleep:idle\" \"Vesperon\" \"%1\" \"block\""_s.arg(
        QLatin1String(LogindPowerBackend::InhibitReason));
    EXPECT_THAT(calls(), ElementsAre("Suspend False", "held 0", inhibit, "Suspend False", "held 0", inhibit,
                                     "Hibernate False", "held 0", inhibit, inhibit));
    // The end of the controller lets go of the lock.
    EXPECT_FALSE(logind.inhibitorHeld());
    EXPECT_TRUE(inhibitorCountBecomes(0));
}

// A refusal carries logind's reason and the program goes on; a logind that does not answer is
// given up on after the time limit.
TEST_F(LogindTest, ARefusingLogindIsReportedAndTheProgramGoesOn) {
    startLogind();
    const QString denied =
        "raise dbus.exceptions.DBusException('No', name='org.freedesktop.DBus.Error.AccessDenied')";
    replaceMethod("PowerOff", "b", "", denied);
    replaceMethod("Inhibit", "ssss", "h", denied);
    LogindPowerBackend logind(bus());
    EXPECT_THAT(logind.powerOff().error, HasSubstr("AccessDenied"));
    EXPECT_THAT(logind.setSleepBlocked(true).error, HasSubstr("AccessDenied"));
    EXPECT_FALSE(logind.inhibitorHeld()); // tried again at the next click of the box
    EXPECT_TRUE(logind.reboot().ok);      // still talking to logind
    replaceMethod("PowerOff", "b", "", "import time; time.sleep(3)");
    LogindPowerBackend impatient(bus(), QString(), 200);
    EXPECT_THAT(impatient.powerOff().error, HasSubstr("NoReply"));
}

// Asked together, each Can* answer lands on its own action; log off needs no question.
TEST_F(LogindTest, EachActionsAvailabilityIsLogindsAnswerAndRefusalsSayWhatTheyMean) {
    startLogind(
        R"({"CanPowerOff": "challenge", "CanReboot": "no", "CanSuspend": "na", "CanHibernate": "yes"})");
    LogindPowerBackend logind(bus());
    std::optional<Availabilities> answers;
    logind.queryAvailability([&](Availabilities given) { answers = given; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.has_value(); }, 10000));
    EXPECT_THAT(*answers, ElementsAre(Availability::Yes, Availability::NeedsPassword,
                                      Availability::NotAllowed, Availability::Yes, Availability::NotHere));
    const auto refuse = [&](const char *method, const char *error) {
        replaceMethod(method, "b", "",
                      QStringLiteral("raise dbus.exceptions.DBusException('No', name='%1')").arg(error));
    };
    refuse("PowerOff", "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired");
    refuse("Reboot", "org.freedesktop.DBus.Error.AccessDenied");
    refuse("Suspend", "org.freedesktop.login1.SleepVerbNotSupported");
    refuse("Hibernate", "org.freedesktop.DBus.Error.Failed");
    PowerController power(logind);
    std::vector<Availability> reasons;
    for (const char *action : {"Shut Down", "Reboot", "Stand by", "Hibernate"})
        reasons.push_back(power.perform(action).why);
    EXPECT_THAT(reasons, ElementsAre(Availability::NeedsPassword, Availability::NotAllowed,
                                     Availability::NotHere, Availability::Unknown));
}

TEST_F(LogindTest, WithoutLogindEveryActionFailsAndNothingIsHeld) {
    LogindPowerBackend logind(bus()); // the private bus has no logind on it
    PowerController power(logind);
    for (const char *action : {"Shut Down", "Reboot", "Log Off", "Stand by", "Hibernate"})
        EXPECT_EQ(power.perform(action).status, PowerOutcome::Status::Failed) << action;
    EXPECT_FALSE(laterAnswer(logind));
    std::optional<Availabilities> answers;
    logind.queryAvailability([&](Availabilities given) { answers = given; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.has_value(); }, 10000));
    EXPECT_EQ(availabilityOf(*answers, PowerVerb::PowerOff), Availability::Unknown);
    power.setSleepBlocked(true);
    EXPECT_FALSE(logind.inhibitorHeld());
}

} // namespace
