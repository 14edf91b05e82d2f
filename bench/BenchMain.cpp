#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>

// Every benchmark runs inside a Qt application on the offscreen platform, with the en_US
// date forms the sample schedules are written in.
int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
