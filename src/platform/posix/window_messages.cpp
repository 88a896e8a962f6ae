#include "platform/window_messages.h"

#include "platform/posix/message_window.h"

namespace korven::platform {

void WaitForThreadMessage(uint32_t milliseconds) { posix::WaitForPendingMessage(milliseconds); }

}  // namespace korven::platform
