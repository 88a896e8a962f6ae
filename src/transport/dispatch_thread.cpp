#include "transport/dispatch_thread.h"

#include <system_error>
#include <vector>

#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "transport/message_queue.h"
#include "transport/packet_parser.h"

void DispatchThreadProc(CKorvenSignalLibApp& app) {
    std::vector<uint8_t> frame;
    for (;;) {
        const bool taken = app.frameQueue->WaitTake(frame);
        if (app.dispatchRunning == 0) break;
        if (taken) {
            std::lock_guard<std::mutex> guard(app.parserLock);
            RecvPacketParser(app, frame.data(), frame.size());
        }
    }
    WriteLog("[FN-END]KORVEN_CallBackRegFnRecvLawPacket");
}

void StartDispatchThread(CKorvenSignalLibApp& app) {
    app.dispatchRunning = 1;
    try {
        app.dispatchThread = std::thread(DispatchThreadProc, std::ref(app));
    } catch (const std::system_error&) {
        app.dispatchRunning = 0;
    }
}

int StopDispatchThread(CKorvenSignalLibApp& app) {
    if (!app.dispatchThread.joinable()) return 0;
    app.dispatchRunning = 0;
    app.frameQueue->Wake();
    app.dispatchThread.join();
    return 1;
}
