#include "support/test_window.h"

#include <map>

namespace korven::test {
namespace {

std::mutex& RegistryLock() {
    static std::mutex lock;
    return lock;
}

std::map<HWND, TestWindow*>& Registry() {
    static std::map<HWND, TestWindow*> windows;
    return windows;
}

#if defined(_WIN32)
const char kClassName[] = "KorvenTestWindow";

HWND CreateTestWindow(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass);
    }();
    (void)atom;
    return CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
}
#else
HWND CreateTestWindow(WNDPROC procedure) { return CreateMessageWindow(procedure); }
#endif

}  // namespace

TestWindow::TestWindow() {
    // Creating a window runs its procedure, which takes the registry lock.
    handle_ = CreateTestWindow(&TestWindow::Procedure);
    std::lock_guard<std::mutex> guard(RegistryLock());
    Registry()[handle_] = this;
}

TestWindow::~TestWindow() {
    {
        std::lock_guard<std::mutex> guard(RegistryLock());
        Registry().erase(handle_);
    }
    DestroyWindow(handle_);
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TestWindow* owner = nullptr;
    {
        std::lock_guard<std::mutex> guard(RegistryLock());
        const auto found = Registry().find(window);
        if (found != Registry().end()) owner = found->second;
    }
    if (owner == nullptr || message < 0xC000) {
#if defined(_WIN32)
        return DefWindowProcA(window, message, wParam, lParam);
#else
        return 0;
#endif
    }
    owner->Record({message, wParam, lParam});
    return 0;
}

void TestWindow::Record(const Notification& notification) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        notifications_.push_back(notification);
    }
    if (handler_) handler_(notification);
}

std::vector<Notification> TestWindow::notifications() const {
    std::lock_guard<std::mutex> guard(lock_);
    return notifications_;
}

std::vector<WPARAM> TestWindow::idsOf(UINT message) const {
    std::vector<WPARAM> ids;
    for (const Notification& notification : notifications()) {
        if (notification.message == message) ids.push_back(notification.wParam);
    }
    return ids;
}

void TestWindow::clear() {
    std::lock_guard<std::mutex> guard(lock_);
    notifications_.clear();
}

void TestWindow::Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

UINT TestWindow::LargeEventMessage() { return RegisterWindowMessageA("Softphone LARGE EVENT"); }
UINT TestWindow::NormalEventMessage() { return RegisterWindowMessageA("Softphone NORMAL EVENT"); }

}  // namespace korven::test
