#include "app/RunGuard.h"

#include "app/ActionWarningWindow.h"
#include "app/TrayHost.h"
#include "core/Clock.h"
#include "core/Prompt.h"
#include "localization/LanguageEngine.h"
#include "localization/ProgramValues.h"
#include "power/PowerBackend.h"
#include "power/PowerController.h"
#include "schedule/SchedulerCycle.h"

#include <QLocale>

namespace vesperon {

namespace {

QString isoMoment(const QString &nextRunText) {
    const auto moment = runMomentOf(nextRunText);
    return moment ? moment->toString(Qt::ISODate) : nextRunText;
}

} // namespace

RunGuard::RunGuard(RunGuardSeams seams, ScheduleListModel &model, SchedulerCycle &cycle, QString historyPath,
                   std::function<int()> leadSeconds, DoNow doNow, QObject *parent)
    : QObject(parent), m_seams(seams), m_cycle(cycle), m_warner(model, seams.clock, cycle),
      m_history(std::move(historyPath)), m_availability(seams.power, seams.languages),
      m_doNow(std::move(doNow)) {
    m_warner.setLeadSource(std::move(leadSeconds));
    connect(&m_warner, &RunWarner::warning, this, &RunGuard::showWarning);
    connect(&m_warner, &RunWarner::nextRunChanged, this, &RunGuard::nextRunChanged);
    m_cycle.setMissedHandler([this](const ScheduleRow &row, SchedulerCycle::MissReason reason) {
        record(reason == SchedulerCycle::MissReason::Asleep ? HistoryEntry::Outcome::MissedAsleep
                                                            : HistoryEntry::Outcome::MissedPrevented,
               row.type, row.name, isoMoment(row.nextRunTime));
    });
    // What was due while the computer slept is found at once, not at the next minute.
    m_seams.power.setResumeHandler([this] {
        m_cycle.clockChanged();
        m_availability.refresh(); // a dock or a new power supply can change what is possible
    });
    connect(&m_availability, &ActionAvailability::changed, this, &RunGuard::nextRunChanged);
}

RunGuard::~RunGuard() {
    m_seams.power.setResumeHandler({});
    delete m_window.data();
}

ActionWarningWindow *RunGuard::warningWindow() const {
    return m_window.data();
}

void RunGuard::start() {
    m_warner.start();
}

void RunGuard::record(HistoryEntry::Outcome outcome, const QString &action, const QString &schedule,
                      const QString &detail) {
    m_history.record({m_seams.clock.now(), outcome, action, schedule, detail});
}

QString RunGuard::nextActionText() const {
    const auto next = m_warner.nextRun();
    if (!next)
        return QString();
    const QLocale locale;
    QString when = locale.toString(next->moment.time(), QLocale::ShortFormat);
    if (next->moment.date() != m_seams.clock.now().date())
        when = locale.toString(next->moment.date(), QLocale::ShortFormat) + QLatin1Char(' ') + when;
    const QString text =
        m_seams.languages.getMessages(QStringLiteral("MSG_NEXTRUN")).arg(next->type, when, next->name);
    const QString suffix = m_availability.suffix(next->type);
    return suffix.isEmpty() ? text : text + QLatin1Char(' ') + suffix;
}

bool RunGuard::nextRunWithinADay() const {
    const auto next = m_warner.nextRun();
    return next && m_seams.clock.now().secsTo(next->moment) <= 24 * 60 * 60;
}

void RunGuard::skipNext() {
    if (const auto next = m_warner.nextRun())
        skip(*next);
}

void RunGuard::skip(const UpcomingRun &run) {
    record(HistoryEntry::Outcome::Skipped, run.type, run.name, run.moment.toString(Qt::ISODate));
    m_warner.skip(run);
}

void RunGuard::postpone(const UpcomingRun &run) {
    const QDateTime later = m_warner.postpone(run);
    record(HistoryEntry::Outcome::Postponed, run.type, run.name, later.toString(Qt::ISODate));
}

void RunGuard::showWarning(const UpcomingRun &run) {
    delete m_window.data();
    m_window = new ActionWarningWindow(m_seams.clock, m_seams.languages, run);
    connect(m_window, &ActionWarningWindow::cancelChosen, this, &RunGuard::skip);
    connect(m_window, &ActionWarningWindow::postponeChosen, this, &RunGuard::postpone);
    connect(m_window, &ActionWarningWindow::doNowChosen, this, [this](const UpcomingRun &chosen) {
        m_warner.skip(chosen); // performed now instead of at its minute
        if (m_doNow)
            m_doNow(chosen.name, chosen.type);
    });
    m_window->show();
    m_seams.tray.announce(m_window->windowTitle(), m_window->text());
}

void RunGuard::performed(const QString &scheduleName, const QString &actionType,
                         const PowerOutcome &outcome) {
    if (outcome.status == PowerOutcome::Status::NotAnAction)
        return;
    const QString error = QString::fromStdString(outcome.error);
    if (outcome.requested()) {
        record(HistoryEntry::Outcome::Fired, actionType, scheduleName,
               outcome.interactive ? QStringLiteral("started by the user") : QString());
        return;
    }
    record(HistoryEntry::Outcome::Refused, actionType, scheduleName, error);
    // The system refused: say so, rather than letting the user believe it happened.
    const QString what =
        scheduleName.isEmpty() ? actionType : QStringLiteral("%1 (%2)").arg(scheduleName, actionType);
    // In words first; the system's own message (a D-Bus error name and all) only as detail.
    QString text = m_seams.languages.getMessages(QStringLiteral("MSG_REFUSED")).arg(what);
    if (const QString why = availabilityNote(m_seams.languages, actionType, outcome.why); !why.isEmpty())
        text += QLatin1Char(' ') + why;
    text += QStringLiteral("\n\n") + error;
    m_availability.refresh();
    if (!m_seams.tray.notify(m_seams.values.ProgramName, text))
        m_seams.prompt.ask(text, m_seams.values.ProgramName, Prompt::Buttons::Ok, Prompt::Icon::Warning);
}

} // namespace vesperon
