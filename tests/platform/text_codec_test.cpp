#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "normal/user_language.h"

namespace korven::platform {
namespace {

const std::string kKoreanHello = "\xBE\xC8\xB3\xE7\xC7\xCF\xBC\xBC\xBF\xE4";
const std::string kRussianHello = "\xF0\xD2\xC9\xD7\xC5\xD4";

std::u16string ToWide(unsigned codePage, const std::string& text, size_t capacity = 56) {
    std::u16string wide(capacity, u'\0');
    const size_t units =
        NarrowToWide(codePage, reinterpret_cast<const uint8_t*>(text.data()), text.size(), wide.data(), capacity);
    wide.resize(units);
    return wide;
}

std::string ToNarrow(unsigned codePage, const std::u16string& text, size_t capacity = 50) {
    std::string narrow(capacity, '\x7F');
    const size_t bytes = WideToNarrow(codePage, text.c_str(), narrow.data(), capacity);
    EXPECT_EQ(narrow[bytes], '\0');
    narrow.resize(bytes);
    return narrow;
}

TEST(TextCodecTest, TextRoundTripsThroughItsCodePage) {
    EXPECT_EQ(ToWide(949, kKoreanHello), u"\uC548\uB155\uD558\uC138\uC694");
    EXPECT_EQ(ToNarrow(949, ToWide(949, kKoreanHello)), kKoreanHello);
    EXPECT_EQ(ToWide(kCodePageKoi8R, kRussianHello), u"\u041F\u0440\u0438\u0432\u0435\u0442");
    EXPECT_EQ(ToNarrow(kCodePageKoi8R, ToWide(kCodePageKoi8R, kRussianHello)), kRussianHello);
    EXPECT_EQ(ToNarrow(1251, u"\u041F\u0440"), "\xCF\xF0");
    EXPECT_EQ(ToNarrow(1252, ToWide(1252, "caf\xE9")), "caf\xE9");
}

TEST(TextCodecTest, NarrowToWideGivesNothingForEmptyOverlongOrUnknown) {
    EXPECT_EQ(ToWide(1252, ""), u"");
    EXPECT_EQ(ToWide(1252, "abcd", 3), u"");
    EXPECT_EQ(ToWide(1252, "abc", 3), u"abc");
    EXPECT_EQ(ToWide(949, kKoreanHello, 4), u"");
    EXPECT_EQ(ToWide(4242, "abc"), u"");
}

TEST(TextCodecTest, WideToNarrowStopsBeforeACharacterThatDoesNotFitWhole) {
    const std::u16string hello = ToWide(949, kKoreanHello);
    EXPECT_EQ(ToNarrow(949, hello, 4), kKoreanHello.substr(0, 2));
    EXPECT_EQ(ToNarrow(949, hello, 5), kKoreanHello.substr(0, 4));
    EXPECT_EQ(ToNarrow(949, hello, 2), "");
    EXPECT_EQ(ToNarrow(1252, u"abcdef", 4), "abc");
    EXPECT_EQ(ToNarrow(1252, u"abc", 1), "");
}

TEST(TextCodecTest, CharactersTheCodePageLacksBecomeItsDefaultCharacter) {
    EXPECT_EQ(ToNarrow(1252, u"A\uC548B"), "A?B");
}

// Converters are kept between conversions: threads converting at once, in
// both directions and in two code pages, must not share one.
TEST(TextCodecTest, ThreadsConvertAtTheSameTimeWithoutMixingTheirText) {
    const auto convertMany = [](unsigned codePage, const std::string& text) {
        for (int round = 0; round < 200; ++round) {
            if (ToNarrow(codePage, ToWide(codePage, text)) != text) return false;
        }
        return true;
    };
    bool korean = false;
    std::thread other([&] { korean = convertMany(949, kKoreanHello); });
    const bool russian = convertMany(kCodePageKoi8R, kRussianHello);
    other.join();
    EXPECT_TRUE(korean);
    EXPECT_TRUE(russian);
}

#if !defined(_WIN32)
TEST(TextCodecTest, PosixTakesTheAnsiCodePageOfTheLocalesLanguage) {
    const std::pair<const char*, unsigned> cases[] = {
        {"ko_KR.UTF-8", 949},
        {"ja_JP.eucJP", 932},
        {"zh_CN.UTF-8", 936},
        {"zh_TW.UTF-8", 950},
        {"zh_HK.big5hkscs", 950},
        {"cs_CZ.UTF-8", 1250},
        {"uk_UA.UTF-8", 1251},
        {"sr_RS@latin", 1250},
        {"sr_RS.UTF-8", 1251},
        {"el_GR.UTF-8", 1253},
        {"tr_TR.UTF-8", 1254},
        {"he_IL.UTF-8", 1255},
        {"ar_EG.UTF-8", 1256},
        {"lt_LT.UTF-8", 1257},
        {"vi_VN", 1258},
        {"th_TH.UTF-8", 874},
        {"ru_RU.UTF-8", kCodePageKoi8R},
        {"en_US.UTF-8", 1252},
        {"de_DE@euro", 1252},
        {"C", 1252},
    };
    for (const auto& [locale, codePage] : cases) {
        SCOPED_TRACE(locale);
        const test::ScopedUserLanguage language(locale, codePage);
        EXPECT_TRUE(language.active());
    }
}

TEST(TextCodecTest, PosixReadsLcAllThenLcCtypeThenLangSkippingEmptyOnes) {
    test::ScopedEnvironment environment;
    environment.Set("LC_ALL", nullptr);
    environment.Set("LC_CTYPE", nullptr);
    environment.Set("LANG", nullptr);
    EXPECT_EQ(UserNarrowCodePage(), 1252u);
    environment.Set("LANG", "ko_KR.UTF-8");
    EXPECT_EQ(UserNarrowCodePage(), 949u);
    environment.Set("LC_CTYPE", "ja_JP.UTF-8");
    EXPECT_EQ(UserNarrowCodePage(), 932u);
    environment.Set("LC_ALL", "");
    EXPECT_EQ(UserNarrowCodePage(), 932u);
    environment.Set("LC_ALL", "ru_RU.KOI8-R");
    EXPECT_EQ(UserNarrowCodePage(), kCodePageKoi8R);
}
#endif

}  // namespace
}  // namespace korven::platform
