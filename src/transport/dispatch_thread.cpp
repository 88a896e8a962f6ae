#include "transport/dispatch_thread.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "platform/window_messages.h"
#include "transport/message_queue.h"
#include "transport/packet_parser.h"

namespace {

// Set by the dispatch thread when it has left its loop; read when the
// thread may not be joined (unload under the Windows loader lock).
std::atomic<bool> dispatchLoopLeft{false};
constexpr auto kStopWait = std::chrono::milliseconds(4000);

void LetDispatchThreadGo(CKorvenSignalLibApp& app) {
    const auto deadline = std::chrono::steady_clock::now() + kStopWait;
    while (!dispatchLoopLeft && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    app.dispatchThread.detach();
}

}  // namespace

void DispatchThreadProc(CKorvenSignalLibApp& app) {
    std::vector<uint8_t> frame;
    for (;;) {
        const bool taken = app.frameQueue->WaitTake(frame);
        if (app.dispatchRunning == 0) break;
        if (taken) {
            // The frame's lines go out in one write, once it is decoded.
            const korven::LogBatch batch;
            std::lock_guard<std::mutex> guard(app.parserLock);
            RecvPacketParser(app, frame.data(), frame.size());
        }
    }
    WriteLog("[FN-END]KORVEN_CallBackRegFnRecvLawPacket");
    dispatchLoopLeft = true;
}

void StartDispatchThread(CKorvenSignalLibApp& app) {
    app.dispatchRunning = 1;
    dispatchLoopLeft = false;
    app.dispatchEnded = std::make_shared<korven::platform::CompletionSignal>();
    try {
        app.dispatchThread = std::thread([&app, ended = app.dispatchEnded] {
            DispatchThreadProc(app);
            ended->Complete();
        });
    } catch (const std::system_error&) {
        app.dispatchRunning = 0;
    }
}

int StopDispatchThread(CKorvenSignalLibApp& app, DispatchStopWait wait) {
    if (!app.dispatchThread.joinable()) return 0;
    app.dispatchRunning = 0;
    app.frameQueue->Wake();
    if (app.threadsCannotEnd) {
        LetDispatchThreadGo(app);
        return 1;
    }
    if (wait == DispatchStopWait::ServingSentMessages) app.dispatchEnded->WaitServingSentMessages();
    app.dispatchThread.join();
    return 1;
}
