#include <cctype>
#include <mutex>
#include <string>
#include <unordered_map>

#include "KorvenWinCompat.h"

namespace {

constexpr UINT kFirstMessageId = 0xC000;
constexpr UINT kLastMessageId = 0xFFFF;

struct MessageNames {
    std::mutex lock;
    std::unordered_map<std::string, UINT> ids;
};

MessageNames& Names() {
    static MessageNames names;
    return names;
}

// Windows compares registered names without regard to ASCII case.
std::string FoldCase(const char* name) {
    std::string folded(name);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

}  // namespace

extern "C" UINT RegisterWindowMessageA(const char* name) {
    if (name == nullptr || *name == '\0') return 0;
    std::string key = FoldCase(name);
    MessageNames& names = Names();
    std::lock_guard<std::mutex> guard(names.lock);
    auto known = names.ids.find(key);
    if (known != names.ids.end()) return known->second;
    if (names.ids.size() > kLastMessageId - kFirstMessageId) return 0;
    const UINT id = kFirstMessageId + static_cast<UINT>(names.ids.size());
    names.ids.emplace(std::move(key), id);
    return id;
}
