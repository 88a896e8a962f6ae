// Library-internal access to the POSIX message facility beyond its Win32-style
// functions.
#pragma once

#include <cstdint>

namespace korven::platform::posix {

// Blocks until a posted or sent message is pending for the calling thread or
// the time is up; returns at once when one is already pending. A pending quit
// does not count: it is no message to dispatch.
void WaitForPendingMessage(uint32_t milliseconds);

}  // namespace korven::platform::posix
