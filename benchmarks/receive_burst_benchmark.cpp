// A burst of frames from the PBX to a registered library in socket mode:
// how many the receive thread takes in, and how fast, with the receive
// thread blocking in its receive and with a 1 ms sleep before each receive.
//
//   korven_benchmarks --benchmark_filter=ReceiveBurst
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "pbxsim/pbx_simulator.h"
#include "transport/udp_endpoint.h"

namespace {

using Clock = std::chrono::steady_clock;

// A burst is over when nothing more has arrived for this long.
constexpr auto kQuiet = std::chrono::milliseconds(200);

std::atomic<int64_t> framesReceived{0};

int KORVEN_STDCALL CountFrame(void*, int) {
    ++framesReceived;
    return 0;
}

HWND MakeWindow() {
#if defined(_WIN32)
    return CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
#else
    return CreateMessageWindow([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
#endif
}

// Registers the library with the simulator from a fresh endpoint paced as asked.
bool Register(korven::pbxsim::PbxSimulator& pbx, ReceivePacing pacing, HWND window) {
    CKorvenSignalLibApp& app = theApp();
    if (KORVEN_Init(window, KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_SOFTPHONE_SOCKET) != 0) return false;
    app.endpoint = std::make_unique<CKRVPWinsock>(&app, pacing);
    char sendIp[] = "127.0.0.1";
    char userId[] = "1001";
    KORVEN_SetSendIP(sendIp);
    KORVEN_SetUserID(userId);
    KORVEN_SetRecPort(pbx.SignalPort());
    KORVEN_SetListenPort(0);
    KORVEN_SetWindowMessageType(KORVEN_WINDOW_MESSAGE_POST);
    KORVEN_CallBackRegFnRecvLawPacket(CountFrame);
    framesReceived = 0;
    if (KORVEN_WidePhoneStart() != 0) return false;
    // The registration answers are two frames.
    const auto end = Clock::now() + std::chrono::seconds(3);
    while (framesReceived < 2 && Clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return framesReceived == 2;
}

// Waits until every frame has come or none has for kQuiet; returns the
// time of the last arrival.
Clock::time_point AwaitBurst(int64_t expected) {
    int64_t seen = framesReceived;
    Clock::time_point last = Clock::now();
    while (seen < expected && Clock::now() - last < kQuiet) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        const int64_t now = framesReceived;
        if (now != seen) {
            seen = now;
            last = Clock::now();
        }
    }
    return last;
}

void ReceiveBurst(benchmark::State& state) {
    const int64_t burst = state.range(0);
    const auto pacing = state.range(1) != 0 ? ReceivePacing::SleepBeforeEachReceive : ReceivePacing::Immediate;
    korven::pbxsim::PbxSimulator pbx;
    std::string error;
    HWND window = MakeWindow();
    if (!pbx.Start(error) || !Register(pbx, pacing, window)) {
        state.SkipWithError(("registration failed: " + error).c_str());
        return;
    }
    const auto frame = korven::pbxsim::BuildInitialEnd(korven::pbxsim::System::KorvenHost, {});
    int64_t lost = 0, received = 0;
    double seconds = 0;
    for (auto _ : state) {
        framesReceived = 0;
        const auto start = Clock::now();
        for (int64_t i = 0; i < burst; ++i) pbx.Send(frame);
        const auto last = AwaitBurst(burst);
        const std::chrono::duration<double> elapsed = last - start;
        state.SetIterationTime(elapsed.count());
        received += framesReceived;
        lost += burst - framesReceived;
        seconds += elapsed.count();
    }
    theApp().endpoint->CloseSocket();
    state.counters["lost_per_burst"] = static_cast<double>(lost) / static_cast<double>(state.iterations());
    state.counters["frames_per_s"] = seconds > 0 ? static_cast<double>(received) / seconds : 0;
}

BENCHMARK(ReceiveBurst)
    ->ArgNames({"frames", "sleep_1ms"})
    ->ArgsProduct({{100, 1000, 10000}, {0, 1}})
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
