// A wait that keeps the calling thread's window messages flowing.
#pragma once

#include <cstdint>

namespace korven {

// Returns once at least `milliseconds` have passed on the system's tick
// counter (across its wrap), dispatching every window message of the
// calling thread meanwhile. Between messages it blocks until the next one
// or the end of the time, rather than polling.
void WaitPumpingMessages(uint32_t milliseconds);

}  // namespace korven
