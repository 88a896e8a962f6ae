#include <iterator>
#include <string>
#include <vector>

#include "normal/normal_fixture.h"
#include "pbxsim/builders/normal_messages.h"
#include "support/log_capture.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class NormalIndications : public NormalTest {};

template <class Record>
std::vector<uint8_t> Elements(const Record& record) {
    return std::vector<uint8_t>(std::begin(record.elements), std::end(record.elements));
}

tagSTSOFTSYSTEMDATE FetchDate() {
    tagSTSOFTSYSTEMDATE date{};
    EXPECT_EQ(0, KORVEN_GetNormalSystemDate(&date));
    return date;
}

TEST_F(NormalIndications, DateTakesB14ToB20AndIgnoresB12AndB13) {
    Feed(NormalFrame(NORMAL_DGP_DATE, {0xAA, 0xBB, 0, 5, 17, 3, 9, 30, 59}));
    EXPECT_EQ(Elements(FetchDate()), (std::vector<uint8_t>{0, 5, 17, 3, 9, 30, 59}));
}

TEST_F(NormalIndications, IapDateCountsItsFirstElementDownWrappingZeroTo255) {
    ASSERT_EQ(0, KORVEN_Init(window_.handle(), KORVEN_SYSTEM_IAP, 1));
    Feed(NormalDate({0, 5, 17, 3, 9, 30, 59}, System::Iap));
    EXPECT_EQ(Elements(FetchDate()), (std::vector<uint8_t>{255, 5, 17, 3, 9, 30, 59}));
    Feed(NormalDate({25, 1, 2, 3, 4, 5, 6}, System::Iap));
    EXPECT_EQ(FetchDate().elements[0], 24);
}

TEST_F(NormalIndications, DurationTakesB13ToB15) {
    Feed(NormalFrame(NORMAL_DURATION, {0xAA, 1, 2, 3, 4}));
    tagSTSOFTDURATION duration{};
    ASSERT_EQ(0, KORVEN_GetNormalDuration(&duration));
    EXPECT_EQ(Elements(duration), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(NormalIndications, MuteFollowsTheLastMuteCodeAndAnEmptyListOnlyNotifies) {
    Feed(NormalDgpMsg({kMuteOnCode}));
    EXPECT_EQ(KORVEN_GetNormalPhoneMute(), 1);
    Feed(NormalDgpMsg({kMuteOnCode, 5, kMuteOffCode}));
    EXPECT_EQ(KORVEN_GetNormalPhoneMute(), 0);
    Feed(NormalDgpMsg({kMuteOnCode, kMuteOffCode, kMuteOnCode, 7}));
    EXPECT_EQ(KORVEN_GetNormalPhoneMute(), 1);

    window_.clear();
    Feed(NormalDgpMsg({}));
    Feed(NormalDgpMsg({5, 1}));
    EXPECT_EQ(KORVEN_GetNormalPhoneMute(), 1);
    EXPECT_EQ(Notified(), (std::vector<WPARAM>{NORMAL_DGP_MSG, NORMAL_DGP_MSG}));
}

TEST_F(NormalIndications, ValueMessagesStoreTheirByteAndLogIt) {
    struct Case {
        NormalValue message;
        uint8_t sent;
        int (*get)();
        int stored;
        const char* line;
        const char* handler;
    };
    const Case cases[] = {
        {NormalValue::Tone, 0x1F, KORVEN_GetNormalPhoneTone, 0x1F, "Tone ID = 0x1f", "ParseNormalDgpTone"},
        {NormalValue::BRing, 7, KORVEN_GetNormalPhoneBRing, 7, "BRing ID : 7", "ParseNormalDgpBRing"},
        {NormalValue::BTone, 250, KORVEN_GetNormalPhoneBTone, 250, "BToneID : 250", "ParseNormalDgpBTone"},
        {NormalValue::Ring, 27, KORVEN_GetNormalPhoneRing, 7, "Ring ID : 7", "ParseNormalDgpRing"},
        {NormalValue::RingLed, 200, KORVEN_GetNormalPhoneRingLED, 200, "RingLED : 200", "ParseNormalDgpRingLED"},
        {NormalValue::PageAll, 4, KORVEN_GetNormalPageAll, 4, "PageAll : 4", "ParseNormalPageAll"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        LogCapture log;
        Feed(NormalValueMessage(c.message, c.sent));
        EXPECT_EQ(log.Messages(), (std::vector<std::string>{c.line, std::string("++>[MESSAGE] : ") + c.handler}));
        EXPECT_EQ(c.get(), c.stored);
    }
}

TEST_F(NormalIndications, PageAllTakesB12AndTheOthersB13) {
    Feed(NormalFrame(NORMAL_PAGE_ALL, {4, 9}));
    Feed(NormalFrame(NORMAL_DGP_TONE, {4, 9}));
    EXPECT_EQ(KORVEN_GetNormalPageAll(), 4);
    EXPECT_EQ(KORVEN_GetNormalPhoneTone(), 9);
}

TEST_F(NormalIndications, DspValueTakesB28AndB30SkippingB29) {
    std::vector<uint8_t> payload(19);
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(12 + i);
    Feed(NormalFrame(NORMAL_DSP_VALUE, payload));
    tagSTSOFTDSPVALUE dsp{};
    ASSERT_EQ(0, KORVEN_GetNormalAudioCodecDspValue(&dsp));
    EXPECT_EQ(Elements(dsp), (std::vector<uint8_t>{28, 30}));
}

TEST_F(NormalIndications, BytesMissingFromAShortFrameReadAsZero) {
    Feed(NormalFrame(NORMAL_DGP_DATE, {0, 0, 7, 8, 9}));
    EXPECT_EQ(Elements(FetchDate()), (std::vector<uint8_t>{7, 8, 9, 0, 0, 0, 0}));
    Feed(NormalFrame(NORMAL_DSP_VALUE, std::vector<uint8_t>(17, 0x55)));
    tagSTSOFTDSPVALUE dsp{};
    ASSERT_EQ(0, KORVEN_GetNormalAudioCodecDspValue(&dsp));
    EXPECT_EQ(Elements(dsp), (std::vector<uint8_t>{0x55, 0}));
}

TEST_F(NormalIndications, WithoutWindowNoValueChanges) {
    Feed(NormalValueMessage(NormalValue::Tone, 5));
    Feed(NormalDgpMsg({kMuteOnCode}));
    {
        const WithoutWindow noWindow;
        Feed(NormalValueMessage(NormalValue::Tone, 6));
        Feed(NormalDgpMsg({kMuteOffCode}));
        Feed(NormalDate({9, 9, 9, 9, 9, 9, 9}));
    }
    EXPECT_EQ(KORVEN_GetNormalPhoneTone(), 5);
    EXPECT_EQ(KORVEN_GetNormalPhoneMute(), 1);
    EXPECT_NE(FetchDate().elements[0], 9);
}

}  // namespace
}  // namespace korven::test
