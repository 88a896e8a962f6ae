// A message-only window on the calling thread that records the library's
// notifications, as an application's window would receive them.
#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "KorvenSignalLib.h"

namespace korven::test {

struct Notification {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class TestWindow {
public:
    TestWindow();
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return handle_; }
    // Notifications received so far, oldest first.
    std::vector<Notification> notifications() const;
    // WPARAMs of the notifications with this registered message.
    std::vector<WPARAM> idsOf(UINT message) const;
    void clear();
    // Runs inside the window procedure, where an application calls getters.
    void onNotification(std::function<void(const Notification&)> handler) { handler_ = std::move(handler); }
    // Dispatches the calling thread's pending messages.
    static void Pump();

    // The ids of the library's two registered window messages.
    static UINT LargeEventMessage();
    static UINT NormalEventMessage();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Record(const Notification& notification);

    HWND handle_ = nullptr;
    mutable std::mutex lock_;
    std::vector<Notification> notifications_;
    std::function<void(const Notification&)> handler_;
};

}  // namespace korven::test
