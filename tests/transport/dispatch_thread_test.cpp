#include "transport/dispatch_thread.h"

#include <gtest/gtest.h>

#include "core/diagnostic_log.h"
#include "support/test_paths.h"
#include "transport/loopback_session.h"
#include "transport/message_queue.h"

namespace korven::test {
namespace {

TEST(DispatchThread, StopReportsWhetherAThreadRan) {
    CKorvenSignalLibApp app;
    EXPECT_EQ(StopDispatchThread(app), 0);
    StartDispatchThread(app);
    EXPECT_EQ(app.dispatchRunning, 1);
    EXPECT_EQ(StopDispatchThread(app), 1);
    EXPECT_EQ(app.dispatchRunning, 0);
    EXPECT_EQ(StopDispatchThread(app), 0);
}

TEST(DispatchThread, FramesPushedWhileItIsBusyAreAllParsed) {
    CKorvenSignalLibApp app;
    LogCapture log;
    StartDispatchThread(app);
    {
        std::lock_guard<std::mutex> busy(app.parserLock);
        for (uint8_t id = 0; id < 3; ++id) {
            const Frame frame = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0C, 0x06, 0x10, 0x10, 0x11, 0x29, id};
            app.frameQueue->Push(frame.data(), frame.size());
        }
    }
    EXPECT_TRUE(WaitUntil([&] { return CountLinesStartingWith(log, "<-RECV[Wide[ 12]") == 3; }));
    StopDispatchThread(app);
}

TEST(DispatchThread, UnloadStopsTheThreadsThatRun) {
    CKorvenSignalLibApp app;
    app.StartUp(PrepareModuleDirectory());
    StartDispatchThread(app);
    ASSERT_EQ(app.endpoint->CreateSocket("127.0.0.1", 9, 0), 1);
    const auto before = std::chrono::steady_clock::now();
    app.ExitInstance();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    EXPECT_FALSE(app.dispatchThread.joinable());
    EXPECT_EQ(app.endpoint, nullptr);
    // The log is module-wide: open it again for the tests that follow.
    OpenLogFile(1);
}

}  // namespace
}  // namespace korven::test
