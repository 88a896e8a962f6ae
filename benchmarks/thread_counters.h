// What the threads of this process cost, read from the system (Linux): CPU
// time beside the calling thread's, and context switches of chosen threads.
#pragma once

#include <cstdint>
#include <set>

namespace korven::bench {

// CPU time of every thread of the process but the calling one, in ns (the
// receive side, when the calling thread is the sender).
int64_t OtherThreadsCpuNs();

// The ids of the threads the process has now.
std::set<int> ThreadIds();

// Voluntary and involuntary context switches of those threads so far; a
// thread that has ended counts 0.
int64_t ContextSwitches(const std::set<int>& threads);

}  // namespace korven::bench
