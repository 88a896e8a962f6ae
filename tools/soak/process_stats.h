// What a long run watches for leaks: the process's resident memory, its
// open file descriptors and its threads (Linux, from /proc/self).
#pragma once

#include <string>

namespace korven::soak {

struct ProcessStats {
    long rssKiB = 0;
    int descriptors = 0;
    int threads = 0;
};

ProcessStats ReadProcessStats();
// "rss 5120 KiB, 9 descriptors, 4 threads".
std::string Describe(const ProcessStats& stats);
// Descriptors and threads must not grow; memory may grow by at most
// rssSlackKiB (the allocator keeps what it once used). Appends what grew to
// `problems`, one line each.
void CheckFlat(const ProcessStats& start, const ProcessStats& end, long rssSlackKiB, std::string& problems);

}  // namespace korven::soak
