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

TEST(DispatchThread, InitOnTheWindowThreadServesTheNotificationBeingSent) {
    TestWindow window;
    ASSERT_EQ(KORVEN_Init(window.handle(), KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_PHONEIF_CALLBACK), 0);
    ASSERT_EQ(KORVEN_SetWindowMessageType(KORVEN_WINDOW_MESSAGE_SEND), 0);
    LogCapture log;
    const Frame initialEnd = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x11, 0x00, 0x05};
    ASSERT_EQ(KORVEN_DispatchRecvLawPacket(const_cast<uint8_t*>(initialEnd.data()), 13), 0);
    // Decoding has begun: the dispatch thread is on its way to sending the
    // notification to this thread, which does not pump.
    ASSERT_TRUE(WaitUntil([&] { return CountLinesStartingWith(log, "<-RECV[") == 1; }));

    ASSERT_EQ(KORVEN_Init(window.handle(), KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_PHONEIF_CALLBACK), 0);
    EXPECT_EQ(window.idsOf(TestWindow::LargeEventMessage()), std::vector<WPARAM>{LARGE_INITIAL_END});
    // The new dispatch thread notifies as usual.
    ASSERT_EQ(KORVEN_DispatchRecvLawPacket(const_cast<uint8_t*>(initialEnd.data()), 13), 0);
    EXPECT_TRUE(WaitUntil([&] {
        TestWindow::Pump();
        return window.idsOf(TestWindow::LargeEventMessage()).size() == 2;
    }));
    theApp().appWindow = nullptr;
}

}  // namespace
}  // namespace korven::test
