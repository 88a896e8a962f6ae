// One main for every benchmark: the library state is started once, with
// tracing off unless a benchmark switches it on for itself.
#include <benchmark/benchmark.h>

#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "library_setup.h"

int main(int argc, char** argv) {
    const std::string moduleDirectory = korven::bench::StartLibrary();
    korven::TheLog().SetLevel(0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theApp().ExitInstance();
    korven::bench::RemoveModuleDirectory(moduleDirectory);
    return 0;
}
