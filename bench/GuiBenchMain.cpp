// The main of every bench_gui_* program: the windows need an application,
// here on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "widgets/Look.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    look::InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
