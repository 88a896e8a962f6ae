#include "requests/message_pumping.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
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
    const std::clock_t cpuBefore = std::clock();
    WaitPumpingMessages(150);
    const auto wall = std::chrono::steady_clock::now() - wallBefore;
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    poster.join();

    EXPECT_GE(wall, 150ms - kTickStep);
    EXPECT_EQ(window.idsOf(message), (std::vector<WPARAM>{1, 2}));
#if !defined(_WIN32)
    // clock() counts processor time here (wall time on Windows).
    EXPECT_LT(cpuMs, 50.0) << "the wait polls";
#else
    (void)cpuMs;
#endif
}

TEST(MessagePumping, ZeroReturnsAtOnce) {
    const auto before = std::chrono::steady_clock::now();
    WaitPumpingMessages(0);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 50ms);
}

}  // namespace
}  // namespace korven::test
