#include <windows.h>

#include "platform/window_messages.h"

namespace korven::platform {

void WaitForThreadMessage(uint32_t milliseconds) {
    // MWMO_INPUTAVAILABLE also wakes for input that a peek has already seen
    // but left queued, as the POSIX wait does.
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// A manual-reset event; without one the wait returns at once and the caller
// falls back to a plain wait.
struct CompletionSignal::State {
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

CompletionSignal::CompletionSignal() : state_(std::make_unique<State>()) {}

CompletionSignal::~CompletionSignal() {
    if (state_->done != nullptr) CloseHandle(state_->done);
}

void CompletionSignal::Complete() { SetEvent(state_->done); }

void CompletionSignal::WaitServingSentMessages() {
    for (;;) {
        // Peeking runs the pending sent messages; PM_NOREMOVE leaves the
        // posted ones for the application's loop.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(1, &state_->done, INFINITE, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1) return;
    }
}

}  // namespace korven::platform
