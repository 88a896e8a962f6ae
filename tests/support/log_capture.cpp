#include "support/log_capture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/diagnostic_log.h"

namespace korven::test {

LogCapture::LogCapture() : path_(TheLog().FilePath()) {
    std::ifstream file(path_, std::ios::binary | std::ios::ate);
    if (file) start_ = static_cast<long>(file.tellg());
}

std::vector<std::string> LogCapture::Messages() const {
    // Lines a decoding thread has gathered count as written.
    TheLog().WritePending();
    std::ifstream file(path_, std::ios::binary);
    file.seekg(start_);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> messages;
    size_t begin = 0;
    for (size_t end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
        const std::string line = text.substr(begin, end - begin);
        const size_t stamp = line.find("] ");
        messages.push_back(stamp == std::string::npos ? line : line.substr(stamp + 2));
    }
    return messages;
}

bool LogCapture::Contains(const std::string& message) const {
    const auto messages = Messages();
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

}  // namespace korven::test
