// A registered library with no traffic, tracing on: context switches of the
// library's own threads (those that KORVEN_Init and KORVEN_WidePhoneStart
// started) over a quiet stretch. Every switch is a wake-up; idle should
// mean none.
//
//   korven_benchmarks --benchmark_filter=IdleWakeups/seconds:10
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "library_setup.h"
#include "pbxsim/pbx_simulator.h"
#include "thread_counters.h"

namespace {

void IdleWakeups(benchmark::State& state) {
    const auto quiet = std::chrono::seconds(state.range(0));
    korven::pbxsim::PbxSimulator pbx;
    std::string error;
    if (!pbx.Start(error)) {
        state.SkipWithError(("simulator: " + error).c_str());
        return;
    }
    const std::set<int> before = korven::bench::ThreadIds();
    korven::TheLog().SetLevel(1);
    if (!korven::bench::RegisterSocketMode(pbx, korven::bench::IgnoringWindow(), KORVEN_WINDOW_MESSAGE_POST, nullptr)) {
        state.SkipWithError("registration failed");
        return;
    }
    const std::set<int> after = korven::bench::ThreadIds();
    std::set<int> libraryThreads;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::inserter(libraryThreads, libraryThreads.end()));
    int64_t switches = 0;
    for (auto _ : state) {
        const int64_t start = korven::bench::ContextSwitches(libraryThreads);
        std::this_thread::sleep_for(quiet);
        switches += korven::bench::ContextSwitches(libraryThreads) - start;
    }
    korven::TheLog().SetLevel(0);
    theApp().endpoint->CloseSocket();
    state.counters["threads"] = static_cast<double>(libraryThreads.size());
    state.counters["switches"] = static_cast<double>(switches);
    state.counters["per_s"] = static_cast<double>(switches) / static_cast<double>(quiet.count());
}

// One second only shows that it runs; ten are the figure.
BENCHMARK(IdleWakeups)->ArgName("seconds")->Arg(1)->Arg(10)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
