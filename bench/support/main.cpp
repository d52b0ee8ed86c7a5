// The one entry of every benchmark program: a QApplication on the offscreen platform with the
// program's own set-up (fonts, skin), then Google Benchmark.
#include "app/program.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepareApplication(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
