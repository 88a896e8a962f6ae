// Time from sendto on the PBX simulator's socket to the application's window
// procedure running, for single frames at a low rate, with notifications
// posted (post) or sent (send). Each round sends one frame to a bare receive
// thread (a plain socket, a blocking receive, then the same kind of
// notification to the same window) and one to the library in socket mode,
// tracing off (log:0) or on (log:1). Reported: p50 and p99 of each in µs and
// the library's ratios to the bare thread's.
//
//   korven_benchmarks --benchmark_filter=NotificationLatency
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "KorvenSignalLib.h"
#include "bare_receiver.h"
#include "core/diagnostic_log.h"
#include "core/app_state.h"
#include "library_setup.h"
#include "pbxsim/pbx_simulator.h"

namespace {

using Clock = std::chrono::steady_clock;
using korven::pbxsim::Peer;

// Pause between frames: the receiving threads are asleep when a frame comes.
constexpr auto kGap = std::chrono::microseconds(200);
constexpr auto kArrivalTimeout = std::chrono::seconds(1);
constexpr UINT kStopMessage = 0x0401;

// The time the window procedure last ran for a Large notification.
struct Arrival {
    std::mutex lock;
    std::condition_variable signal;
    bool arrived = false;
    Clock::time_point at;
};

Arrival arrival;
UINT largeEvent = 0;
HWND appWindow = nullptr;
int bareMessageType = KORVEN_WINDOW_MESSAGE_POST;

LRESULT ApplicationProcedure(HWND, UINT message, WPARAM, LPARAM) {
    if (message == kStopMessage) PostQuitMessage(0);
    if (message != largeEvent) return 0;
    const Clock::time_point now = Clock::now();
    std::lock_guard<std::mutex> guard(arrival.lock);
    arrival.at = now;
    arrival.arrived = true;
    arrival.signal.notify_one();
    return 0;
}

void BareNotify() {
    if (bareMessageType == KORVEN_WINDOW_MESSAGE_POST) {
        PostMessageA(appWindow, largeEvent, LARGE_INITIAL_END, 0);
    } else {
        SendMessageA(appWindow, largeEvent, LARGE_INITIAL_END, 0);
    }
}

// The application's thread: it owns the window and pumps its messages.
class Application {
public:
    Application() {
        largeEvent = RegisterWindowMessageA(KORVEN_LARGE_EVENT_MESSAGE_NAME);
        std::mutex lock;
        std::condition_variable created;
        thread_ = std::thread([&] {
            const HWND window = CreateMessageWindow(ApplicationProcedure);
            {
                std::lock_guard<std::mutex> guard(lock);
                appWindow = window;
            }
            created.notify_one();
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
            DestroyWindow(window);
        });
        std::unique_lock<std::mutex> waiting(lock);
        created.wait(waiting, [] { return appWindow != nullptr; });
    }
    ~Application() {
        PostMessageA(appWindow, kStopMessage, 0, 0);
        thread_.join();
        appWindow = nullptr;
    }
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

private:
    std::thread thread_;
};

// One frame to `to`; its latency in µs, or a negative value when the window
// procedure did not run within the time-out.
double Round(korven::pbxsim::PbxSimulator& pbx, const Peer& to, const korven::pbxsim::Bytes& frame) {
    pbx.SetPhone(to);
    std::unique_lock<std::mutex> waiting(arrival.lock);
    arrival.arrived = false;
    waiting.unlock();
    const Clock::time_point sent = Clock::now();
    pbx.Send(frame);
    waiting.lock();
    if (!arrival.signal.wait_for(waiting, kArrivalTimeout, [] { return arrival.arrived; })) return -1;
    return std::chrono::duration<double, std::micro>(arrival.at - sent).count();
}

double Percentile(std::vector<double>& values, int percent) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() * static_cast<size_t>(percent) / 100];
}

void NotificationLatency(benchmark::State& state, int messageType) {
    const int64_t rounds = state.range(1);
    Application application;
    bareMessageType = messageType;
    korven::pbxsim::PbxSimulator pbx;
    korven::bench::BareReceiver bare(BareNotify);
    std::string error;
    if (!pbx.Start(error) || !bare.Start() ||
        !korven::bench::RegisterSocketMode(pbx, appWindow, messageType, nullptr)) {
        state.SkipWithError(("set-up failed: " + error).c_str());
        return;
    }
    const Peer library = *pbx.Phone();
    const Peer bareReceiver{"127.0.0.1", bare.Port()};
    const auto frame = korven::pbxsim::BuildInitialEnd(korven::pbxsim::System::KorvenHost, {});
    korven::TheLog().SetLevel(static_cast<int>(state.range(0)));
    std::vector<double> libraryLatency, bareLatency;
    int64_t lost = 0;
    for (auto _ : state) {
        for (int64_t r = 0; r < rounds; ++r) {
            for (const bool toLibrary : {r % 2 == 0, r % 2 != 0}) {
                const double latency = Round(pbx, toLibrary ? library : bareReceiver, frame);
                if (latency < 0)
                    ++lost;
                else
                    (toLibrary ? libraryLatency : bareLatency).push_back(latency);
                std::this_thread::sleep_for(kGap);
            }
        }
        state.SetIterationTime(Percentile(libraryLatency, 50) / 1e6);
    }
    korven::TheLog().SetLevel(0);
    theApp().endpoint->CloseSocket();
    const double libraryP50 = Percentile(libraryLatency, 50), libraryP99 = Percentile(libraryLatency, 99);
    const double bareP50 = Percentile(bareLatency, 50), bareP99 = Percentile(bareLatency, 99);
    state.counters["lib_p50_us"] = libraryP50;
    state.counters["lib_p99_us"] = libraryP99;
    state.counters["bare_p50_us"] = bareP50;
    state.counters["bare_p99_us"] = bareP99;
    state.counters["p50_ratio"] = bareP50 > 0 ? libraryP50 / bareP50 : 0;
    state.counters["p99_ratio"] = bareP99 > 0 ? libraryP99 / bareP99 : 0;
    state.counters["lost"] = static_cast<double>(lost);
}

// 300 rounds only show that it runs; 10000 are the figures.
BENCHMARK_CAPTURE(NotificationLatency, post, KORVEN_WINDOW_MESSAGE_POST)
    ->ArgNames({"log", "rounds"})
    ->ArgsProduct({{0, 1}, {300, 10000}})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NotificationLatency, send, KORVEN_WINDOW_MESSAGE_SEND)
    ->ArgNames({"log", "rounds"})
    ->ArgsProduct({{0, 1}, {300, 10000}})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
