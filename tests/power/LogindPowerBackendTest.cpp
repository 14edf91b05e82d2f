// The power controller, and the logind back end against python3-dbusmock's logind on a
// private bus.

#include "power/LogindPowerBackend.h"
#include "power/PowerController.h"
#include "support/LogindBus.h"
#include "support/PowerDoubles.h"

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
        ASSERT_TRUE(mock.startLogind(parameters, m_dir.filePath("logind.log")));
    }

    // The calls logind received, without their time stamps ("PowerOff False"); the test's
    // own set-up and look-ups are left out.
    QStringList calls() const {
        static const QStringList setUp = {"AddSession", "AddSeat", "AddUser", "Get",
                                          "GetAll",     "Set",     "emit",    "Held"};
        QStringList lines;
        for (const QByteArray &line : test::readBytes(m_dir.filePath("logind.log")).split('\n')) {
            const QString call = QString::fromUtf8(line.mid(line.indexOf(' ') + 1));
            if (!line.isEmpty() && !setUp.contains(call.section(' ', 0, 0)))
                lines << call;
        }
        return lines;
    }

    void replaceMethod(const QString &name, const QString &in, const QString &out, const QString &code) {
        ASSERT_TRUE(mock.replaceMethod(name, in, out, code));
    }

    // The answer a question to logind gives, once it comes: it is asked, not waited for.
    template <typename Answer, typename Ask> static Answer answerTo(Ask ask) {
        std::optional<Answer> answer;
        ask([&](Answer given) { answer = given; });
        EXPECT_FALSE(answer.has_value());
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 10000));
        return answer.value_or(Answer{});
    }

    QTemporaryDir m_dir;
    test::LogindBus mock;
};

// Without logind on the bus every action fails; with it, each action reaches logind as its call
// and other names (the Action menu's "Stand By" caption among them) reach nothing.
TEST_F(LogindTest, EachActionReachesLogindAsItsCall) {
    LogindPowerBackend logind(mock.bus(), "c7");
    PowerController power(logind);
    const char *const actions[] = {"Shut Down", "Reboot", "Log Off", "Stand by", "Hibernate"};
    for (const char *action : actions)
        EXPECT_EQ(power.perform(action).status, PowerOutcome::Status::Failed) << action;
    startLogind();
    for (const char *action : actions)
        EXPECT_TRUE(power.perform(action).requested()) << action;
    for (const char *name : {"shut down", "Stand By", "Shut Down ", "", "Sleep"})
        EXPECT_EQ(power.perform(name).status, PowerOutcome::Status::NotAnAction) << name;
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
    LogindPowerBackend logind(mock.bus());
    EXPECT_TRUE(logind.logOff().ok);
    EXPECT_THAT(calls(), ElementsAre(u"GetSessionByPID %1"_s.arg(::getpid()), "Terminate"));
    for (const char *answer : {"", "ret = dbus.ObjectPath('/')"}) {
        replaceMethod("GetSessionByPID", "u", *answer ? "o" : "", answer);
        EXPECT_FALSE(logind.logOff().ok) << answer;
    }
    EXPECT_EQ(calls().count("Terminate"), 1);
}

// A logind that keeps silent is given up on after the time limit.
TEST_F(LogindTest, ASilentLogindIsGivenUpOn) {
    startLogind();
    replaceMethod("PowerOff", "b", "", "import time; time.sleep(3)");
    replaceMethod("CanHibernate", "", "s", "import time; time.sleep(3); ret = 'yes'");
    LogindPowerBackend impatient(mock.bus(), QString(), 200);
    EXPECT_THAT(impatient.powerOff().error, HasSubstr("NoReply"));
    EXPECT_FALSE(answerTo<bool>([&](auto answer) { impatient.queryCanHibernate(answer); }));
}

TEST_F(LogindTest, RefusingSuspendHoldsAnInhibitorThatStepsAsideForOurOwnSleep) {
    startLogind();
    // Each sleep request notes how many inhibitors logind held when it arrived. The stand-in
    // notices a closed inhibitor in its main loop, so it gets a few rounds of it first.
    const QString held = "len(globals().get('inhibitors', []))";
    replaceMethod("Suspend", "b", "",
                  u"from gi.repository import GLib\n"
                  "for _ in range(20): GLib.MainContext.default().iteration(False)\n"
                  "self.log('held %d' % %1)"_s.arg(held));
    replaceMethod("Held", "", "u", "ret = " + held);
    // The stand-in drops an inhibitor when it sees the descriptor closed, a moment later.
    const auto inhibitorsBecome = [&](uint count) {
        return QTest::qWaitFor(
            [&] { return mock.call("org.freedesktop.login1.Manager", "Held").arguments().value(0) == count; },
            5000);
    };
    LogindPowerBackend logind(mock.bus());
    EXPECT_TRUE(logind.suspend().ok); // a sleep while nothing is refused takes no inhibitor
    {
        PowerController power(logind);
        power.setSleepBlocked(true);
        EXPECT_TRUE(inhibitorsBecome(1));
        EXPECT_TRUE(power.perform("Stand by").requested());
        EXPECT_TRUE(inhibitorsBecome(1)); // taken again after the request
    }
    const QString inhibit = u"Inhibit \"sleep:idle\" \"Vesperon\" \"%1\" \"block\""_s.arg(
        QLatin1String(LogindPowerBackend::InhibitReason));
    EXPECT_THAT(calls(), ElementsAre("Suspend False", "held 0", inhibit, "Suspend False", "held 0", inhibit));
    // The end of the controller lets go of the lock.
    EXPECT_TRUE(inhibitorsBecome(0));
}

// Asked together, each Can* answer lands on its own action (log off needs no question); a
// refusal carries logind's reason and says what it means.
TEST_F(LogindTest, EachActionsAvailabilityIsLogindsAnswerAndRefusalsSayWhatTheyMean) {
    startLogind(
        R"({"CanPowerOff": "challenge", "CanReboot": "no", "CanSuspend": "na", "CanHibernate": "yes"})");
    LogindPowerBackend logind(mock.bus());
    EXPECT_THAT(answerTo<Availabilities>([&](auto answer) { logind.queryAvailability(answer); }),
                ElementsAre(Availability::Yes, Availability::NeedsPassword, Availability::NotAllowed,
                            Availability::Yes, Availability::NotHere));
    // Hibernation on its own: only "yes" means yes, "challenge" would need a password nobody is
    // there to give.
    const auto canHibernate = [&] {
        return std::pair(logind.canHibernate(),
                         answerTo<bool>([&](auto answer) { logind.queryCanHibernate(answer); }));
    };
    EXPECT_EQ(canHibernate(), std::pair(true, true));
    replaceMethod("CanHibernate", "", "s", "ret = 'challenge'");
    EXPECT_EQ(canHibernate(), std::pair(false, false));
    const struct {
        const char *action, *method, *error;
        Availability why;
    } refusals[] = {
        {"Shut Down", "PowerOff", "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired",
         Availability::NeedsPassword},
        {"Reboot", "Reboot", "org.freedesktop.DBus.Error.AccessDenied", Availability::NotAllowed},
        {"Stand by", "Suspend", "org.freedesktop.login1.SleepVerbNotSupported", Availability::NotHere},
        {"Hibernate", "Hibernate", "org.freedesktop.DBus.Error.Failed", Availability::Unknown}};
    const auto refusal = [](const char *error) {
        return u"raise dbus.exceptions.DBusException('No', name='%1')"_s.arg(error);
    };
    PowerController power(logind);
    for (const auto &r : refusals) {
        replaceMethod(r.method, "b", "", refusal(r.error));
        const PowerOutcome outcome = power.perform(r.action);
        EXPECT_THAT(outcome.error, HasSubstr(r.error));
        EXPECT_EQ(outcome.why, r.why) << r.action;
    }
    replaceMethod("Inhibit", "ssss", "h", refusal("org.freedesktop.DBus.Error.AccessDenied"));
    EXPECT_THAT(power.setSleepBlocked(true).error, HasSubstr("AccessDenied"));
}

// Every click asks the back end; the end of the controller lets go of a block in force, and a
// refused or lifted one is not in force.
TEST(PowerController, TheEndLetsGoOfTheBlockInForceOnly) {
    test::RecordingPowerBackend backend;
    backend.result = PowerResult::refused("No window");
    EXPECT_EQ(PowerController(backend).setSleepBlocked(true).error, "No window");
    backend.result = PowerResult::done();
    PowerController(backend).setSleepBlocked(true);
    {
        PowerController power(backend);
        power.setSleepBlocked(true);
        power.setSleepBlocked(false);
    }
    EXPECT_THAT(backend.calls,
                ElementsAre("setSleepBlocked(true)", "setSleepBlocked(true)", "setSleepBlocked(false)",
                            "setSleepBlocked(true)", "setSleepBlocked(false)"));
}

} // namespace
