#include "schedule/SchedulerCycle.h"

#include <QCoreApplication>
#include <QLocale>
#include <benchmark/benchmark.h>

using namespace vesperon;

namespace {

const QDateTime Now(QDate(2026, 6, 10), QTime(14, 20, 30));

// rows schedule rows, none of them due: the ordinary state of every scan. Every row has a
// file and a next run later today or on a later day, so each one is read as a date and a time.
QList<ScheduleRow> rowsOf(int count) {
    QList<ScheduleRow> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString nextRun = i % 2 ? QStringLiteral("6/10/2026 22:00:00")
                                      : QStringLiteral("6/%1/2026 08:15:00").arg(11 + i % 19);
        rows.append(ScheduleRow{QStringLiteral("Schedule %1").arg(i), QStringLiteral("Shut Down"), QString(),
                                nextRun, QStringLiteral("Yes"), true});
    }
    return rows;
}

// One tmrScheduler tick, letting pending events be handled before each row as the program does.
void BM_tmrSchedulerTick(benchmark::State &state) {
    ScheduleListModel model;
    model.setRows(rowsOf(static_cast<int>(state.range(0))));
    SettableClock clock(Now);
    SchedulerCycle cycle(model, clock, QString(), [](const QString &, const QString &) {});
    for (auto _ : state)
        cycle.tmrScheduler_Timer();
    if (!cycle.lstSchedule().isEmpty())
        state.SkipWithError("a row was due");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_tmrSchedulerTick)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The tick handling pending events before every single row, for comparison.
void BM_tmrSchedulerTickEventsEveryRow(benchmark::State &state) {
    ScheduleListModel model;
    model.setRows(rowsOf(static_cast<int>(state.range(0))));
    SettableClock clock(Now);
    SchedulerCycle cycle(model, clock, QString(), [](const QString &, const QString &) {});
    cycle.setPendingEventsHandler([] { QCoreApplication::processEvents(); });
    for (auto _ : state)
        cycle.tmrScheduler_Timer();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_tmrSchedulerTickEventsEveryRow)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The same tick without the event handling, to show what the due checks themselves cost.
void BM_tmrSchedulerTickWithoutEvents(benchmark::State &state) {
    ScheduleListModel model;
    model.setRows(rowsOf(static_cast<int>(state.range(0))));
    SettableClock clock(Now);
    SchedulerCycle cycle(model, clock, QString(), [](const QString &, const QString &) {});
    cycle.setPendingEventsHandler({});
    for (auto _ : state)
        cycle.tmrScheduler_Timer();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_tmrSchedulerTickWithoutEvents)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
