// Library-internal access to the POSIX message facility beyond its Win32-style
// functions.
#pragma once

#include <cstdint>

namespace korven::platform::posix {

// Blocks until a posted or sent message is pending for the calling thread or
// the time is up; returns at once when one is already pending. A pending quit
// does not count: it is no message to dispatch.
void WaitForPendingMessage(uint32_t milliseconds);

// The last step of unloading, once the library's own threads have ended:
// the calling thread's queue and every window go, and threads that go on no
// longer call into the library when they end (their queues are left).
void EndMessageWindows();

}  // namespace korven::platform::posix
