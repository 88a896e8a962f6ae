#include "soak/process_stats.h"

#include <dirent.h>

#include <fstream>

namespace korven::soak {
namespace {

// The number after "name:" in /proc/self/status.
long StatusField(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long value = 0;
        if (key == name + ":" && status >> value) return value;
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

int CountDescriptors() {
    DIR* folder = opendir("/proc/self/fd");
    if (folder == nullptr) return -1;
    int count = 0;
    while (const dirent* entry = readdir(folder)) {
        if (entry->d_name[0] != '.') ++count;
    }
    closedir(folder);
    return count - 1;  // the folder's own descriptor
}

}  // namespace

ProcessStats ReadProcessStats() {
    return {StatusField("VmRSS"), CountDescriptors(), static_cast<int>(StatusField("Threads"))};
}

std::string Describe(const ProcessStats& stats) {
    return "rss " + std::to_string(stats.rssKiB) + " KiB, " + std::to_string(stats.descriptors) + " descriptors, " +
           std::to_string(stats.threads) + " threads";
}

void CheckFlat(const ProcessStats& start, const ProcessStats& end, long rssSlackKiB, std::string& problems) {
    if (end.descriptors > start.descriptors) problems += "open descriptors grew\n";
    if (end.threads > start.threads) problems += "threads grew\n";
    if (end.rssKiB > start.rssKiB + rssSlackKiB) {
        problems += "resident memory grew by " + std::to_string(end.rssKiB - start.rssKiB) + " KiB\n";
    }
}

}  // namespace korven::soak
