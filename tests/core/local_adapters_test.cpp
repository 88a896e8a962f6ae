#include "core/local_adapters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using korven::platform::Adapter;

struct Choice {
    char mac[30] = {};
    char ip[30] = {};
};

Choice Choose(const std::vector<Adapter>& adapters) {
    Choice choice;
    korven::ChooseLocalAdapter(adapters, choice.mac, choice.ip);
    return choice;
}

TEST(LocalAdapters, MacOfTheFirstAndAddressOfTheLastConfiguredAdapter) {
    const Choice choice = Choose({{{0, 0, 0, 0, 0, 0}, "127.0.0.1"},
                                  {{1, 1, 1, 1, 1, 1}, "0.0.0.0"},
                                  {{2, 2, 2, 2, 2, 2}, "10.0.0.2"},
                                  {{3, 3, 3, 3, 3, 3}, "192.168.1.3"},
                                  {{4, 4, 4, 4, 4, 4}, "0.0.0.0"}});
    EXPECT_EQ(0, std::memcmp(choice.mac, "\2\2\2\2\2\2", 6));
    EXPECT_STREQ("192.168.1.3", choice.ip);
}

TEST(LocalAdapters, UnconfiguredOrLoopbackOnlyHostsLeaveBothEmpty) {
    for (const auto& adapters : {std::vector<Adapter>{{{1, 2, 3, 4, 5, 6}, "0.0.0.0"}},
                                 std::vector<Adapter>{{{0, 0, 0, 0, 0, 0}, "127.0.0.1"}}, std::vector<Adapter>{}}) {
        const Choice choice = Choose(adapters);
        EXPECT_EQ(std::string(), std::string(choice.ip));
        EXPECT_EQ(0, std::memcmp(choice.mac, "\0\0\0\0\0\0", 6));
    }
}

}  // namespace
