#include "transport/winsock_errors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace korven {
namespace {

std::string Describe(int code, bool& cleared) {
    char text[kWinsockErrorTextSize];
    std::memset(text, 'x', sizeof text);
    cleared = DescribeWinsockError(code, text);
    return text;
}

TEST(WinsockErrors, TextsAreCodePage949Bytes) {
    bool cleared = false;
    // " -- 기술자가 소켓이 아닙니다.\n"
    EXPECT_EQ(Describe(10038, cleared),
              " -- \xB1\xE2\xBC\xFA\xC0\xDA\xB0\xA1 \xBC\xD2\xC4\xCF\xC0\xCC "
              "\xBE\xC6\xB4\xD5\xB4\xCF\xB4\xD9.\n");
    EXPECT_FALSE(cleared);
}

TEST(WinsockErrors, OnlyConnectionAndStartUpErrorsStayUncleared) {
    const int kept[] = {10038, 10050, 10052, 10053, 10057, 10058, 10093};
    const int clearedCodes[] = {0,     10013, 10014, 10022, 10024, 10035, 10036, 10037, 10040, 10041, 10043,
                                10044, 10045, 10047, 10048, 10049, 10051, 10054, 10055, 10060, 10061, 10099};
    bool cleared = false;
    for (const int code : kept) {
        Describe(code, cleared);
        EXPECT_FALSE(cleared) << code;
    }
    for (const int code : clearedCodes) {
        Describe(code, cleared);
        EXPECT_TRUE(cleared) << code;
    }
}

TEST(WinsockErrors, NoErrorAndWouldBlockHaveNoText) {
    bool cleared = false;
    EXPECT_EQ(Describe(0, cleared), "");
    EXPECT_EQ(Describe(10035, cleared), "");
}

TEST(WinsockErrors, UnknownCodeIsNamedByNumber) {
    bool cleared = false;
    // " -- 알 수 없는 다른 오류발생...  오류코드 : 12345\n"
    EXPECT_EQ(Describe(12345, cleared),
              " -- \xBE\xCB \xBC\xF6 \xBE\xF8\xB4\xC2 \xB4\xD9\xB8\xA5 "
              "\xBF\xC0\xB7\xF9\xB9\xDF\xBB\xFD...  \xBF\xC0\xB7\xF9\xC4\xDA\xB5\xE5 : 12345\n");
}

TEST(WinsockErrors, LongestTextFillsTheBufferExactly) {
    bool cleared = false;
    EXPECT_EQ(Describe(10048, cleared).size(), kWinsockErrorTextSize - 1);
}

}  // namespace
}  // namespace korven
