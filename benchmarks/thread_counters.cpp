#include "thread_counters.h"

#include <time.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace korven::bench {
namespace {

int64_t CpuNs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

int64_t SwitchesOf(int thread) {
    std::ifstream status("/proc/self/task/" + std::to_string(thread) + "/status");
    int64_t total = 0;
    std::string line;
    while (std::getline(status, line)) {
        if (line.find("ctxt_switches:") != std::string::npos) total += std::stoll(line.substr(line.find(':') + 1));
    }
    return total;
}

}  // namespace

int64_t OtherThreadsCpuNs() { return CpuNs(CLOCK_PROCESS_CPUTIME_ID) - CpuNs(CLOCK_THREAD_CPUTIME_ID); }

std::set<int> ThreadIds() {
    std::set<int> threads;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task", ignored)) {
        threads.insert(std::stoi(entry.path().filename().string()));
    }
    return threads;
}

int64_t ContextSwitches(const std::set<int>& threads) {
    int64_t total = 0;
    for (const int thread : threads) total += SwitchesOf(thread);
    return total;
}

}  // namespace korven::bench
