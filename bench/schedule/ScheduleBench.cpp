#include "schedule/DueTime.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleList.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace vesperon;

namespace {

const QDateTime Now(QDate(2026, 6, 10), QTime(14, 20, 30));

// A data folder with `count` weekly schedules, made once per size.
const QString &dataFolderWith(int count) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto &dir = folders[count];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        for (int i = 0; i < count; ++i) {
            ScheduleRecord r;
            r.Name = QStringLiteral("Schedule %1").arg(i);
            r.ItemType = QStringLiteral("Shut Down");
            r.Enabled = true;
            r.StartDate = QStringLiteral("6/1/2026");
            r.StartTime = QStringLiteral("22:00:00");
            r.Repeat = true;
            r.SAccurancy = ChosenWeekdays;
            r.Period = QStringLiteral("mon,wed,fri");
            WriteScheduleFile(r, dir->path());
        }
    }
    static QString path;
    path = dir->path();
    return path;
}

void BM_loadData(benchmark::State &state) {
    const QString folder = dataFolderWith(static_cast<int>(state.range(0)));
    ScheduleListModel model;
    for (auto _ : state) {
        loadData(model, folder, Now);
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_loadData)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_NextRunText(benchmark::State &state) {
    const QString section =
        ReadSection(QString::fromUtf8("<SCHEDULER>\r\nStartDate=6/1/2026\r\nStartTime=22:00:00\r\n"
                                      "Repeat=-1\r\nSAccurancy=1\r\nPeriod=mon,wed,fri\r\n"
                                      "RunOnStart=0\r\nRunOnEnd=0\r\n</SCHEDULER>\r\n"),
                    QStringLiteral("SCHEDULER"));
    for (auto _ : state)
        benchmark::DoNotOptimize(NextRunText(section, Now));
}
BENCHMARK(BM_NextRunText);

void BM_IsDue(benchmark::State &state) {
    const QString text = QStringLiteral("6/10/2026 14:20:00");
    for (auto _ : state)
        benchmark::DoNotOptimize(IsDue(text, Now));
}
BENCHMARK(BM_IsDue);

} // namespace
