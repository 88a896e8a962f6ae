// Building and sending one request through the send callback in callback
// mode, tracing off: the whole cost of a KORVEN_Wide... call to the
// application.
//
//   korven_benchmarks --benchmark_filter=SendRequest
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

#include "KorvenSignalLib.h"
#include "library_setup.h"

namespace {

// Only the sending thread calls it, so a plain counter does.
int64_t framesSent = 0;

int KORVEN_STDCALL CountSent(void*, int) {
    ++framesSent;
    return 0;
}

int DigitStr() {
    unsigned char trunkType[2] = {1, 2};
    return KORVEN_WideDigitStr("0312345678", 0, trunkType);
}

int Softkey() { return KORVEN_WideSoftkey(3); }

int SmsSend() { return KORVEN_WideSmsSend("0312345678", "Meeting moved to 15:00, room 2."); }

int ConfDial() {
    char members[KORVEN_CONF_MEMBERS_SIZE] = {};
    const char* numbers[] = {"1001", "1002", "0312345678", "0215550100"};
    for (size_t i = 0; i < 4; ++i) std::strcpy(members + i * 22, numbers[i]);
    return KORVEN_WideConfDial(members);
}

void SendRequest(benchmark::State& state, int (*request)()) {
    if (!korven::bench::InitCallbackMode() || KORVEN_CallBackRegFnSendLawPacket(CountSent) != 0) {
        state.SkipWithError("KORVEN_Init failed");
        return;
    }
    framesSent = 0;
    for (auto _ : state) {
        if (request() != 0) {
            state.SkipWithError("request failed");
            break;
        }
    }
    state.counters["frames_per_request"] =
        state.iterations() > 0 ? static_cast<double>(framesSent) / static_cast<double>(state.iterations()) : 0;
}

BENCHMARK_CAPTURE(SendRequest, digit_str, &DigitStr);
BENCHMARK_CAPTURE(SendRequest, softkey, &Softkey);
BENCHMARK_CAPTURE(SendRequest, sms_send, &SmsSend);
BENCHMARK_CAPTURE(SendRequest, conf_dial, &ConfDial);

}  // namespace
