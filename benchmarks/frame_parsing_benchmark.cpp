// Per-frame cost of the receive path's parser on representative Large and
// Normal frames, with tracing off (log:0) and on (log:1), and of the display
// interpreter on a full repaint. With tracing on, writer_cpu_ns is the CPU
// per frame of the other threads: the log's writer thread.
//
//   korven_benchmarks --benchmark_filter='ParseFrame|DisplayRepaint'
#include <benchmark/benchmark.h>

#include <mutex>

#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "library_setup.h"
#include "normal/display_interpreter.h"
#include "pbxsim/builders/display_painter.h"
#include "pbxsim/builders/large_call_state.h"
#include "pbxsim/builders/large_phone_database.h"
#include "pbxsim/builders/normal_messages.h"
#include "thread_counters.h"
#include "transport/packet_parser.h"

namespace {

using korven::pbxsim::Bytes;

const korven::pbxsim::DisplayPicture kRepaint{"Call from 1001  ", "Reception  12:04", true, 5};

Bytes CallNumber() { return korven::pbxsim::LargeCallNumber({}); }
Bytes PhoneDb0() { return korven::pbxsim::LargePhoneDb0(korven::pbxsim::KorvenhostPhoneDb0Fields{}); }
Bytes DisplayRepaint() { return korven::pbxsim::DisplayFrame(kRepaint); }
Bytes Tone() { return korven::pbxsim::NormalValueMessage(korven::pbxsim::NormalValue::Tone, 3); }

// Parses the frame as the receive thread does in a burst, parser lock
// included and the trace batched; the window procedure behind the
// notification returns at once.
void ParseFrame(benchmark::State& state, Bytes (*build)()) {
    if (!korven::bench::InitCallbackMode()) {
        state.SkipWithError("KORVEN_Init failed");
        return;
    }
    const Bytes frame = build();
    CKorvenSignalLibApp& app = theApp();
    korven::TheLog().SetLevel(static_cast<int>(state.range(0)));
    const int64_t writerCpuBefore = korven::bench::OtherThreadsCpuNs();
    {
        const korven::LogBatch batch;
        for (auto _ : state) {
            const std::lock_guard<std::mutex> lock(app.parserLock);
            RecvPacketParser(app, frame.data(), frame.size());
        }
    }
    korven::TheLog().SetLevel(0);
    // The trace's writes run on the log's writer thread, beside the figure.
    state.counters["writer_cpu_ns"] = static_cast<double>(korven::bench::OtherThreadsCpuNs() - writerCpuBefore) /
                                      static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(frame.size()));
    state.counters["frame_bytes"] = static_cast<double>(frame.size());
}

BENCHMARK_CAPTURE(ParseFrame, large_call_number, &CallNumber)->ArgName("log")->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(ParseFrame, large_phone_db0, &PhoneDb0)->ArgName("log")->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(ParseFrame, normal_dgp_lcd, &DisplayRepaint)->ArgName("log")->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(ParseFrame, normal_tone, &Tone)->ArgName("log")->Arg(0)->Arg(1);

// The interpreter alone: clear, both lines written, cursor set.
void DisplayRepaintStream(benchmark::State& state) {
    const Bytes frame = DisplayRepaint();
    const korven::FrameReader reader(frame.data(), frame.size());
    DisplayRecord record{};
    int writePosition = 0;
    korven::TheLog().SetLevel(static_cast<int>(state.range(0)));
    {
        const korven::LogBatch batch;
        for (auto _ : state) {
            korven::RunDisplayStream(reader, korven::kDisplayStreamStart, record, writePosition);
            benchmark::DoNotOptimize(record);
        }
    }
    korven::TheLog().SetLevel(0);
}

BENCHMARK(DisplayRepaintStream)->ArgName("log")->Arg(0)->Arg(1);

}  // namespace
