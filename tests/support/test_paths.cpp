#include "support/test_paths.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

namespace korven::test {

std::string MakeTempDirectory(const char* tag) {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("korven-" + std::string(tag) + "-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path);
    return path.string();
}

std::string PrepareModuleDirectory() {
    const std::string directory = MakeTempDirectory("module");
    std::filesystem::create_directories(std::filesystem::path(directory) / "log");
    return directory;
}

}  // namespace korven::test
