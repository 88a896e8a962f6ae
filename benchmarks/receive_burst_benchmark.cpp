// A burst of frames from the PBX simulator's socket, taken in turn by a bare
// receiver (a plain socket read by a thread that only counts) and by the
// registered library in socket mode, tracing off (log:0) or on into a real
// log folder (log:1). Reported per burst: the rate from the first send to
// the last arrival (lib_fps, bare_fps), frames lost, and the receive side's
// CPU per frame (every thread but the sending one), each with its ratio to
// the bare receiver's. When both keep pace with the sender the rates are
// the sender's, and the CPU per frame tells how far each is from falling
// behind.
//
//   korven_benchmarks --benchmark_filter=ReceiveBurst
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "KorvenSignalLib.h"
#include "bare_receiver.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "library_setup.h"
#include "pbxsim/pbx_simulator.h"
#include "thread_counters.h"

namespace {

using Clock = std::chrono::steady_clock;
using korven::pbxsim::Peer;

// A burst is over when nothing more has arrived for this long.
constexpr auto kQuiet = std::chrono::milliseconds(200);
// Lets the receive side finish what follows its last arrival (the trace)
// before its CPU time is read.
constexpr auto kSettle = std::chrono::milliseconds(2);

// Arrivals of one receiver, noted by its receiving thread.
struct Arrivals {
    std::atomic<int64_t> count{0};
    std::atomic<Clock::rep> last{0};

    void Note() {
        last = Clock::now().time_since_epoch().count();
        ++count;
    }
};

Arrivals libraryArrivals;
Arrivals bareArrivals;

int KORVEN_STDCALL NoteLibraryFrame(void*, int) {
    libraryArrivals.Note();
    return 0;
}

void NoteBareFrame() { bareArrivals.Note(); }

struct Burst {
    int64_t received = 0;
    double seconds = 0;
    double cpuNs = 0;
};

// Waits until every frame has come or none has for kQuiet.
void AwaitBurst(const Arrivals& arrivals, int64_t expected) {
    int64_t seen = arrivals.count;
    Clock::time_point quietSince = Clock::now();
    while (seen < expected && Clock::now() - quietSince < kQuiet) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        const int64_t now = arrivals.count;
        if (now != seen) {
            seen = now;
            quietSince = Clock::now();
        }
    }
}

Burst SendBurst(korven::pbxsim::PbxSimulator& pbx, const Peer& to, Arrivals& arrivals, int64_t frames,
                const korven::pbxsim::Bytes& frame) {
    pbx.SetPhone(to);
    arrivals.count = 0;
    const int64_t cpuBefore = korven::bench::OtherThreadsCpuNs();
    const Clock::time_point start = Clock::now();
    for (int64_t i = 0; i < frames; ++i) pbx.Send(frame);
    AwaitBurst(arrivals, frames);
    std::this_thread::sleep_for(kSettle);
    Burst burst;
    burst.received = arrivals.count;
    burst.seconds = std::chrono::duration<double>(Clock::time_point(Clock::duration(arrivals.last)) - start).count();
    burst.cpuNs = static_cast<double>(korven::bench::OtherThreadsCpuNs() - cpuBefore);
    return burst;
}

// Sums of bursts of one receiver.
struct Totals {
    int64_t bursts = 0, received = 0, lost = 0;
    double seconds = 0, cpuNs = 0;

    void Add(const Burst& burst, int64_t frames) {
        ++bursts;
        received += burst.received;
        lost += frames - burst.received;
        seconds += burst.seconds;
        cpuNs += burst.cpuNs;
    }
    double Rate() const { return seconds > 0 ? static_cast<double>(received) / seconds : 0; }
    double CpuPerFrame() const { return received > 0 ? cpuNs / static_cast<double>(received) : 0; }
    double LostPerBurst() const { return bursts > 0 ? static_cast<double>(lost) / static_cast<double>(bursts) : 0; }
};

// The posted notifications pile up in the benchmark thread's queue; they are
// thrown away between bursts.
void DropNotifications() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void ReceiveBurst(benchmark::State& state) {
    const int64_t frames = state.range(0);
    korven::pbxsim::PbxSimulator pbx;
    korven::bench::BareReceiver bare(NoteBareFrame);
    std::string error;
    if (!pbx.Start(error) || !bare.Start() ||
        !korven::bench::RegisterSocketMode(pbx, korven::bench::IgnoringWindow(), KORVEN_WINDOW_MESSAGE_POST,
                                           NoteLibraryFrame)) {
        state.SkipWithError(("set-up failed: " + error).c_str());
        return;
    }
    const Peer library = *pbx.Phone();
    const Peer bareReceiver{"127.0.0.1", bare.Port()};
    const auto frame = korven::pbxsim::BuildInitialEnd(korven::pbxsim::System::KorvenHost, {});
    korven::TheLog().SetLevel(static_cast<int>(state.range(1)));
    Totals libraryTotals, bareTotals;
    for (auto _ : state) {
        // Turn about, so that neither always runs right after the other.
        const bool bareFirst = libraryTotals.bursts % 2 == 0;
        if (bareFirst) bareTotals.Add(SendBurst(pbx, bareReceiver, bareArrivals, frames, frame), frames);
        const Burst burst = SendBurst(pbx, library, libraryArrivals, frames, frame);
        libraryTotals.Add(burst, frames);
        if (!bareFirst) bareTotals.Add(SendBurst(pbx, bareReceiver, bareArrivals, frames, frame), frames);
        state.SetIterationTime(burst.seconds);
        DropNotifications();
    }
    korven::TheLog().SetLevel(0);
    theApp().endpoint->CloseSocket();
    state.counters["lib_fps"] = libraryTotals.Rate();
    state.counters["bare_fps"] = bareTotals.Rate();
    state.counters["fps_ratio"] = bareTotals.Rate() > 0 ? libraryTotals.Rate() / bareTotals.Rate() : 0;
    state.counters["lib_lost"] = libraryTotals.LostPerBurst();
    state.counters["bare_lost"] = bareTotals.LostPerBurst();
    state.counters["lib_cpu_ns"] = libraryTotals.CpuPerFrame();
    state.counters["bare_cpu_ns"] = bareTotals.CpuPerFrame();
    state.counters["cpu_ratio"] =
        bareTotals.CpuPerFrame() > 0 ? libraryTotals.CpuPerFrame() / bareTotals.CpuPerFrame() : 0;
}

BENCHMARK(ReceiveBurst)
    ->ArgNames({"frames", "log"})
    ->ArgsProduct({{100, 1000, 10000}, {0, 1}})
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// The receive thread as first described, sleeping 1 ms before each receive:
// about a thousand frames a second at best.
void ReceiveBurstSleeping(benchmark::State& state) {
    const int64_t frames = state.range(0);
    korven::pbxsim::PbxSimulator pbx;
    std::string error;
    if (!pbx.Start(error) ||
        !korven::bench::RegisterSocketMode(pbx, korven::bench::IgnoringWindow(), KORVEN_WINDOW_MESSAGE_POST,
                                           NoteLibraryFrame, ReceivePacing::SleepBeforeEachReceive)) {
        state.SkipWithError(("set-up failed: " + error).c_str());
        return;
    }
    const Peer library = *pbx.Phone();
    const auto frame = korven::pbxsim::BuildInitialEnd(korven::pbxsim::System::KorvenHost, {});
    Totals totals;
    for (auto _ : state) {
        const Burst burst = SendBurst(pbx, library, libraryArrivals, frames, frame);
        totals.Add(burst, frames);
        state.SetIterationTime(burst.seconds);
        DropNotifications();
    }
    theApp().endpoint->CloseSocket();
    state.counters["lib_fps"] = totals.Rate();
    state.counters["lib_lost"] = totals.LostPerBurst();
}

BENCHMARK(ReceiveBurstSleeping)
    ->ArgName("frames")
    ->Arg(1000)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
