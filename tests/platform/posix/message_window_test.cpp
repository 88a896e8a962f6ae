#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>
#include <vector>

#include "KorvenWinCompat.h"
#include "platform/window_messages.h"

namespace {

constexpr UINT kTestMessage = 0x0401;
// Only a guard against a hang; no result depends on it.
constexpr uint32_t kHangGuardMs = 60000;

struct Probe {
    std::atomic<bool> ran{false};
    std::thread::id thread;
};

// Notes where it ran in the Probe that lParam points to, if any, and
// answers twice wParam.
LRESULT RecordingProc(HWND, UINT, WPARAM wParam, LPARAM lParam) {
    if (auto* probe = reinterpret_cast<Probe*>(lParam)) {
        probe->thread = std::this_thread::get_id();
        probe->ran = true;
    }
    return static_cast<LRESULT>(wParam * 2);
}

LPARAM Pass(Probe& probe) { return reinterpret_cast<LPARAM>(&probe); }

void PumpUntilQuit(HWND hwnd) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(hwnd);
}

// A thread that owns one RecordingProc window and then runs body.
class WindowThread {
public:
    explicit WindowThread(std::function<void(HWND)> body = PumpUntilQuit)
        : thread_([this, body] {
              const HWND hwnd = CreateMessageWindow(RecordingProc);
              created_.set_value(hwnd);
              body(hwnd);
          }),
          hwnd_(created_.get_future().get()) {}
    ~WindowThread() {
        PostMessageA(hwnd_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND Hwnd() const { return hwnd_; }
    std::thread::id Id() const { return thread_.get_id(); }

private:
    std::promise<HWND> created_;
    std::thread thread_;
    HWND hwnd_;
};

template <typename T>
T GetOrAbort(std::future<T>& result) {
    if (result.wait_for(std::chrono::milliseconds(kHangGuardMs)) != std::future_status::ready) {
        std::fputs("message_window_test: threads hung\n", stderr);
        std::abort();
    }
    return result.get();
}

// SendMessageA from a thread of its own.
LRESULT SendWithHangGuard(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    auto answer = std::async(std::launch::async, [=] { return SendMessageA(hwnd, kTestMessage, wParam, lParam); });
    return GetOrAbort(answer);
}

// The message the next PeekMessageA returns, 0 when there is none.
UINT Peek(HWND filter, UINT filterMin, UINT filterMax, UINT removeFlags = PM_REMOVE) {
    MSG msg;
    return PeekMessageA(&msg, filter, filterMin, filterMax, removeFlags) ? msg.message : 0;
}

TEST(MessageWindow, SendFromAnotherThreadWaitsForTheOwnersProcedureAndReturnsItsResult) {
    WindowThread owner;
    Probe probe;
    EXPECT_EQ(SendWithHangGuard(owner.Hwnd(), 21, Pass(probe)), 42);
    EXPECT_TRUE(probe.ran);
    EXPECT_EQ(probe.thread, owner.Id());
}

TEST(MessageWindow, SendOnTheOwnerThreadCallsTheProcedureWithoutQueueing) {
    const HWND hwnd = CreateMessageWindow(RecordingProc);
    Probe probe;
    EXPECT_EQ(SendMessageA(hwnd, kTestMessage, 5, Pass(probe)), 10);
    EXPECT_EQ(probe.thread, std::this_thread::get_id());
    EXPECT_EQ(Peek(nullptr, 0, 0), 0u);
    EXPECT_TRUE(DestroyWindow(hwnd));
}

TEST(MessageWindow, DestroyingTheWindowReleasesABlockedSenderWithZero) {
    WindowThread owner([](HWND hwnd) {
        korven::platform::WaitForThreadMessage(kHangGuardMs);
        DestroyWindow(hwnd);
    });
    Probe probe;
    EXPECT_EQ(SendWithHangGuard(owner.Hwnd(), 1, Pass(probe)), 0);
    EXPECT_FALSE(probe.ran);
    EXPECT_EQ(SendMessageA(owner.Hwnd(), kTestMessage, 1, 0), 0);
    EXPECT_FALSE(PostMessageA(owner.Hwnd(), kTestMessage, 0, 0));
    EXPECT_FALSE(DestroyWindow(owner.Hwnd()));
}

TEST(MessageWindow, EndOfTheOwnerThreadReleasesABlockedSenderWithZero) {
    WindowThread owner([](HWND) { korven::platform::WaitForThreadMessage(kHangGuardMs); });
    Probe probe;
    EXPECT_EQ(SendWithHangGuard(owner.Hwnd(), 1, Pass(probe)), 0);
    EXPECT_FALSE(probe.ran);
    EXPECT_FALSE(PostMessageA(owner.Hwnd(), kTestMessage, 0, 0));
}

TEST(MessageWindow, ThreadsSendingToEachOtherAtOnceBothGetTheirAnswers) {
    std::promise<HWND> first, second;
    auto exchange = [](std::promise<HWND>& own, std::shared_future<HWND> peer, WPARAM value) {
        own.set_value(CreateMessageWindow(RecordingProc));
        return SendMessageA(peer.get(), kTestMessage, value, 0);
    };
    auto firstResult = std::async(std::launch::async, exchange, std::ref(first), second.get_future().share(), 3);
    auto secondResult = std::async(std::launch::async, exchange, std::ref(second), first.get_future().share(), 4);
    EXPECT_EQ(GetOrAbort(firstResult), 6);
    EXPECT_EQ(GetOrAbort(secondResult), 8);
}

TEST(MessageWindow, PeekTakesPostedMessagesInOrderThroughItsFilters) {
    const HWND a = CreateMessageWindow(RecordingProc);
    const HWND b = CreateMessageWindow(RecordingProc);
    for (auto [hwnd, message] : {std::pair{a, 0x401u}, {b, 0x402u}, {a, 0x403u}, {a, 0x404u}}) {
        ASSERT_TRUE(PostMessageA(hwnd, message, 0, 0));
    }
    EXPECT_EQ(Peek(b, 0, 0), 0x402u);
    EXPECT_EQ(Peek(nullptr, 0x403, 0x4FF), 0x403u);
    EXPECT_EQ(Peek(a, 0, 0, PM_NOREMOVE), 0x401u);
    EXPECT_EQ(Peek(nullptr, 0, 0), 0x401u);
    EXPECT_EQ(Peek(b, 0, 0), 0u);
    EXPECT_TRUE(DestroyWindow(a));
    EXPECT_EQ(Peek(nullptr, 0, 0), 0u) << "messages of a destroyed window are dropped";
    const MSG stale{a, kTestMessage, 1, 0, 0};
    EXPECT_EQ(DispatchMessageA(&stale), 0);
    EXPECT_TRUE(DestroyWindow(b));
}

TEST(MessageWindow, QuitComesAfterPostedMessagesAndEndsGetMessage) {
    const HWND hwnd = CreateMessageWindow(RecordingProc);
    PostQuitMessage(7);
    ASSERT_TRUE(PostMessageA(hwnd, kTestMessage, 0, 0));
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, kTestMessage);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0x500, 0x500), 0) << "the quit ignores the range";
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(GetMessageA(&msg, hwnd, 0, 0), -1) << "a filter on a window that is gone cannot block";
}

TEST(MessageWindow, DispatchOneMessageLeavesTheQuitForTheApplicationsLoop) {
    PostQuitMessage(3);
    EXPECT_FALSE(korven::platform::DispatchOneMessage());
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(MessageWindow, WaitForThreadMessageWakesOnAPostFromAnotherThread) {
    const HWND hwnd = CreateMessageWindow(RecordingProc);
    Probe probe;
    const uint32_t start = korven::platform::TickCount();
    std::thread poster([&] { PostMessageA(hwnd, kTestMessage, 1, Pass(probe)); });
    korven::platform::WaitForThreadMessage(kHangGuardMs);
    EXPECT_LT(korven::platform::TickCount() - start, kHangGuardMs);
    poster.join();
    EXPECT_TRUE(korven::platform::DispatchOneMessage());
    EXPECT_EQ(probe.thread, std::this_thread::get_id());
    EXPECT_FALSE(korven::platform::DispatchOneMessage());
    EXPECT_TRUE(DestroyWindow(hwnd));
}

TEST(MessageWindow, RegisteredNamesKeepTheirIdsAcrossThreads) {
    const UINT normal = RegisterWindowMessageA("Softphone NORMAL EVENT");
    EXPECT_GE(normal, 0xC000u);
    EXPECT_NE(RegisterWindowMessageA("Softphone LARGE EVENT"), normal);
    EXPECT_EQ(RegisterWindowMessageA("softphone normal event"), normal);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
    EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);

    std::vector<std::future<UINT>> ids;
    for (int i = 0; i < 4; ++i) {
        ids.push_back(std::async(std::launch::async, [] { return RegisterWindowMessageA("message window test"); }));
    }
    const UINT first = ids[0].get();
    for (size_t i = 1; i < ids.size(); ++i) EXPECT_EQ(ids[i].get(), first);
}

}  // namespace
