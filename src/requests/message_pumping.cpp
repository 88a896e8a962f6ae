#include "requests/message_pumping.h"

#include "platform/window_messages.h"

namespace korven {

void WaitPumpingMessages(uint32_t milliseconds) {
    const uint32_t start = platform::TickCount();
    for (;;) {
        // Unsigned subtraction stays right when the counter wraps.
        const uint32_t elapsed = platform::TickCount() - start;
        if (elapsed >= milliseconds) return;
        if (!platform::DispatchOneMessage()) platform::WaitForThreadMessage(milliseconds - elapsed);
    }
}

}  // namespace korven
