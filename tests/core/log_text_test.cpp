#include "core/log_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

namespace {

using korven::LogText;

// What AppendFormat made of the format, or "<refused>".
std::string Formatted(const char* format, ...) {
    LogText text;
    va_list arguments;
    va_start(arguments, format);
    const bool accepted = text.AppendFormat(format, arguments);
    va_end(arguments);
    return accepted ? std::string(text.data(), text.size()) : "<refused>";
}

// What printf makes of it, cut as the log cuts.
std::string Printed(const char* format, ...) {
    char buffer[4096];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    return std::string(buffer, std::min<size_t>(static_cast<size_t>(length), korven::kLogMessageLimit));
}

#define EXPECT_AS_PRINTF(...) EXPECT_EQ(Printed(__VA_ARGS__), Formatted(__VA_ARGS__))

// Conversions of the library's own lines, with printf as the oracle.
TEST(LogTextTest, FormatsAsPrintfDoes) {
    EXPECT_AS_PRINTF("plain text without conversions");
    EXPECT_AS_PRINTF("%d|%d|%d|%d|%i", 0, 7, -42, INT_MIN, INT_MAX);
    EXPECT_AS_PRINTF("[%3d][%-5d][%05d][%-05d][%03d][%2d]", 7, 7, -42, 12, 12345, -5);
    EXPECT_AS_PRINTF("%02x %02x %04X %x %u %X", 0, 0xab, 0xbeef, 0xffffffffu, 4000000000u, 0x1fu);
    EXPECT_AS_PRINTF("[%s][%-21s][%5s][%s][%-3s]", "a", "LARGE_INITIAL_END", "ab", "", "toolong");
    EXPECT_AS_PRINTF("%c%c%3c%-3c| 100%%", 'o', 'k', 'x', 'y');
    EXPECT_AS_PRINTF("Call_Number : (Len-%d) ID[%d], Number [%s], TrunkType[%02x %02x]", 108, 5, "0312345678", 1, 0xfe);
    const std::string longText(3000, 'z');
    EXPECT_AS_PRINTF("%s and more", longText.c_str());
}

TEST(LogTextTest, LeavesEveryOtherConversionToPrintf) {
    for (const char* format : {"%ld", "%.3s", "%5.1f", "%p", "%+d", "% d", "%#x", "%lu", "%05s", "%5%", "%", "a%"}) {
        EXPECT_EQ("<refused>", Formatted(format, 0L)) << format;
    }
}

}  // namespace
