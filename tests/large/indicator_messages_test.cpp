#include <algorithm>

#include "large/group_message_fixture.h"
#include "pbxsim/builders/large_indicator.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class IndicatorMessagesTest : public GroupMessageTest {
protected:
    static std::vector<uint8_t> Leds() { return FetchBytes(KORVEN_GetLargeButtonLED, KORVEN_BUTTON_LED_SIZE); }

    static std::vector<uint8_t> News(int& length) {
        std::vector<uint8_t> text(KORVEN_SPOT_NEWS_SIZE + kGuardBytes, kGuard);
        EXPECT_EQ(KORVEN_GetLargeSpotNews(&length, text.data()), 0);
        EXPECT_TRUE(
            std::all_of(text.begin() + KORVEN_SPOT_NEWS_SIZE, text.end(), [](uint8_t b) { return b == kGuard; }));
        text.resize(KORVEN_SPOT_NEWS_SIZE);
        return text;
    }
};

LedDataFields CountingLeds(System system) {
    LedDataFields fields{system, {}};
    for (size_t i = 0; i < fields.leds.size(); ++i) fields.leds[i] = static_cast<uint8_t>(i + 1);
    return fields;
}

TEST_F(IndicatorMessagesTest, KorvenhostLedFrameNeeds140Bytes) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    const auto full = LargeLedData(CountingLeds(System::KorvenHost));
    Feed(full);
    EXPECT_EQ(Leds(), std::vector<uint8_t>(full.begin() + 12, full.end()));
    window_.clear();

    LogCapture log;
    Feed(WithTotalLength(LargeLedData({}), 139));
    EXPECT_EQ(log.Messages(),
              std::vector<std::string>{"Skip - ParseLargeLedData - pacsizemismatch : packSize[140], RecvSize[139]"});
    EXPECT_TRUE(Notified().empty());
    EXPECT_EQ(Leds(), std::vector<uint8_t>(full.begin() + 12, full.end()));
}

TEST_F(IndicatorMessagesTest, IapLedFrameSetsTwoBytesAndClearsTheRest) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    Feed(LargeLedData(CountingLeds(System::KorvenHost)));
    Init(KORVEN_SYSTEM_IAP);
    Feed(WithTotalLength(LargeLedData({System::Iap, {0x81, 0x82}}), 13));
    Feed(LargeLedData({System::Iap, {0x11, 0x22}}));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_LED_DATA});
    std::vector<uint8_t> expected(KORVEN_BUTTON_LED_SIZE, 0);
    expected[0] = 0x11;
    expected[1] = 0x22;
    EXPECT_EQ(Leds(), expected);
}

TEST_F(IndicatorMessagesTest, NewsKeepsTheAnnouncedLengthButAtMost298TextBytes) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    std::string text(400, 'n');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);
    Feed(LargeSpotNews({System::KorvenHost, text, std::nullopt}));
    int length = 0;
    const auto news = News(length);
    EXPECT_EQ(length, 400);
    EXPECT_EQ(std::string(news.begin(), news.end()), text.substr(0, KORVEN_SPOT_NEWS_SIZE));
}

TEST_F(IndicatorMessagesTest, ShorterNewsKeepsOlderTextOnKorvenhostOnly) {
    const std::string older(50, 'o');
    const std::string newer = "0123456789";
    for (int system : {KORVEN_SYSTEM_KORVENHOST, KORVEN_SYSTEM_IAP}) {
        Init(system);
        const System sim = system == KORVEN_SYSTEM_IAP ? System::Iap : System::KorvenHost;
        Feed(LargeSpotNews({sim, std::string(KORVEN_SPOT_NEWS_SIZE, '\0'), std::nullopt}));
        Feed(LargeSpotNews({sim, older, std::nullopt}));
        LogCapture log;
        Feed(LargeSpotNews({sim, newer, std::nullopt}));
        int length = 0;
        const auto news = News(length);
        EXPECT_EQ(length, 10);
        const std::string tail = system == KORVEN_SYSTEM_IAP ? "" : older.substr(10);
        EXPECT_EQ(std::string(news.begin(), news.begin() + 50), Digits(newer + tail, 50));
        EXPECT_EQ(log.Messages().front(), "ParseLargeSpotNews:nLen[10], News[" + newer + tail + "]");
    }
}

TEST_F(IndicatorMessagesTest, DisplayInfoNeedsTheOneOnePrefix) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    Feed(LargeDispInfo({System::KorvenHost, {1, 1}, 3}));
    LogCapture log;
    Feed(LargeDispInfo({System::KorvenHost, {1, 2}, 7}));
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_DISP_INFO});
    EXPECT_EQ(KORVEN_GetLargeSpotNewsDispInfo(), 3);
    EXPECT_EQ(log.Messages().back(), "[FN-END]KORVEN_GetLargeSpotNewsDispInfo : Info-NewsShow[3]");
}

TEST_F(IndicatorMessagesTest, IdleSoftListKeepsACountAbove20AndExactly20Entries) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    IdleSoftFields fields{System::KorvenHost, 25, {}};
    for (size_t i = 0; i < fields.keys.size(); ++i) fields.keys[i] = static_cast<uint8_t>(100 + i);
    auto frame = LargeIdleSoft(fields);
    frame[12] = 0x77;
    frame.push_back(0x99);  // a 21st entry is not part of the list
    Feed(frame);
    const auto list = Fetch<tagSTSOFTSOFTTLIST>(KORVEN_GetLargeIdleSoftList);
    EXPECT_EQ(list.Count, 25);
    EXPECT_EQ(std::vector<uint8_t>(list.List, list.List + 20),
              std::vector<uint8_t>(frame.begin() + 14, frame.end() - 1));
}

TEST_F(IndicatorMessagesTest, NewsGetterRefusesAMissingOutput) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    int length = 0;
    EXPECT_EQ(KORVEN_GetLargeSpotNews(&length, nullptr), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace korven::test
