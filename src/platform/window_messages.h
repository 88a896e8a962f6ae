// Window-message services the library needs, on Windows from user32 and on
// POSIX from the library's own message facility.
#pragma once

#include <cstdint>
#include <memory>

namespace korven::platform {

using WindowHandle = void*;

// Id of the registered window message of that name (0 on failure).
unsigned RegisterMessage(const char* name);
// SendMessageA: waits until the window procedure has run.
intptr_t SendToWindow(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam);
// PostMessageA: false when the message could not be queued.
bool PostToWindow(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam);
// Takes one message of the calling thread off its queue without waiting and
// dispatches it (PeekMessageA with removal, TranslateMessage,
// DispatchMessageA). False when there was none. A quit message is put back
// for the application's own loop and counts as none.
bool DispatchOneMessage();
// Blocks the calling thread until a message for it arrives or the time is up.
void WaitForThreadMessage(uint32_t milliseconds);
// The system's millisecond tick counter (GetTickCount).
uint32_t TickCount();

// Completed once by one thread, awaited by another. While it waits, the
// waiting thread runs the messages other threads send to its windows (as a
// thread blocked in SendMessageA does; posted messages stay queued), so a
// thread that is sending to one of them can still reach its end.
class CompletionSignal {
public:
    CompletionSignal();
    ~CompletionSignal();
    CompletionSignal(const CompletionSignal&) = delete;
    CompletionSignal& operator=(const CompletionSignal&) = delete;

    void Complete();
    // Returns once Complete has been called (at once if it has been).
    void WaitServingSentMessages();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace korven::platform
