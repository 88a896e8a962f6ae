#include <windows.h>

#include "platform/window_messages.h"

namespace korven::platform {

void WaitForThreadMessage(uint32_t milliseconds) {
    // MWMO_INPUTAVAILABLE also wakes for input that a peek has already seen
    // but left queued, as the POSIX wait does.
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace korven::platform
