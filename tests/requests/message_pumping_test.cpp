#include "requests/message_pumping.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/test_window.h"

namespace korven::test {
namespace {

using namespace std::chrono_literals;

// The tick counter advances in steps (about 16 ms on Windows), so a wait
// may end up to one step early on a finer clock.
constexpr auto kTickStep = 16ms;

TEST(MessagePumping, WaitsTheTimeWhileDispatchingMessages) {
    TestWindow window;
    const UINT message = TestWindow::LargeEventMessage();
    PostMessageA(window.handle(), message, 1, 0);
    HWND handle = window.handle();
    std::thread poster([handle, message] {
        std::this_thread::sleep_for(30ms);
        PostMessageA(handle, message, 2, 0);
    });
    const auto wallBefore = std::chrono::steady_clock::now();
    WaitPumpingMessages(150);
    const auto wall = std::chrono::steady_clock::now() - wallBefore;
    poster.join();

    EXPECT_GE(wall, 150ms - kTickStep);
    EXPECT_EQ(window.idsOf(message), (std::vector<WPARAM>{1, 2}));
}

TEST(MessagePumping, ZeroReturnsBeforeDispatchingAnything) {
    TestWindow window;
    PostMessageA(window.handle(), TestWindow::LargeEventMessage(), 1, 0);
    WaitPumpingMessages(0);
    EXPECT_TRUE(window.notifications().empty());
    TestWindow::Pump();
    EXPECT_EQ(1u, window.notifications().size());
}

}  // namespace
}  // namespace korven::test
