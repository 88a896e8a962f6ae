// Button LEDs, spot news, the news-show flag and the idle soft keys (ids 30,
// 31, 63, 118).
#include <algorithm>
#include <cstddef>

#include "large/event_process_large.h"
#include "large/group_message_fields.h"
#include "transport/frame_header.h"

namespace korven {
namespace {

constexpr size_t kLedBytes = KORVEN_BUTTON_LED_SIZE;
constexpr size_t kIapLedBytes = 2;
constexpr size_t kNewsTextPos = 16;

// LARGE_SOFT_IDLE: b12 is not read, and the count is kept as received even
// above the 20 entries.
constexpr Field kIdleSoftLayout[] = {
    {offsetof(tagSTSOFTSOFTTLIST, Count), 1, 13, Codec::Raw},
    {offsetof(tagSTSOFTSOFTTLIST, List), sizeof(tagSTSOFTSOFTTLIST::List), 14, Codec::Raw},
};

void ParseLargeLedData(const LargeMessage& message) {
    const size_t ledBytes = message.app.IsIap() ? kIapLedBytes : kLedBytes;
    RunLargeHandler(message, "ParseLargeLedData", [ledBytes](LargeRecords& records, const FrameReader& frame) {
        const size_t required = kHeaderSize + ledBytes;
        const size_t total = frame.be16(kTotalLengthPos);
        if (total < required) {
            WriteLog("Skip - ParseLargeLedData - pacsizemismatch : packSize[%d], RecvSize[%d]",
                     static_cast<int>(required), static_cast<int>(total));
            return false;
        }
        uint8_t(&led)[kLedBytes] = records.groupMessage.indicator.buttonLed;
        std::fill(std::begin(led), std::end(led), uint8_t{0});
        frame.bytes(kHeaderSize, led, ledBytes);
        return true;
    });
}

void ParseLargeSpotNews(const LargeMessage& message) {
    const bool iap = message.app.IsIap();
    RunLargeHandler(message, "ParseLargeSpotNews", [iap](LargeRecords& records, const FrameReader& frame) {
        IndicatorRecords& indicator = records.groupMessage.indicator;
        // A KORVENHOST news overwrites only its own length of the text; what
        // an earlier, longer news left behind it stays.
        if (iap) std::fill(std::begin(indicator.spotNews), std::end(indicator.spotNews), uint8_t{0});
        indicator.spotNewsLength = frame.be16(iap ? 14 : 12);
        const size_t copied = std::min(static_cast<size_t>(indicator.spotNewsLength), sizeof indicator.spotNews);
        frame.bytes(kNewsTextPos, indicator.spotNews, copied);
        WriteLog("ParseLargeSpotNews:nLen[%d], News[%s]", indicator.spotNewsLength,
                 FieldText(indicator.spotNews, sizeof indicator.spotNews).c_str());
    });
}

void ParseLargeDispInfo(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeDispInfo", [](LargeRecords& records, const FrameReader& frame) {
        if (frame.u8(12) != 1 || frame.u8(13) != 1) return false;
        records.groupMessage.indicator.newsShow = frame.u8(14);
        WriteLog("ParseLargeDispInfo : NewsShow [%d]", records.groupMessage.indicator.newsShow);
        return true;
    });
}

constexpr char kIdleSoft[] = "ParseLargeIdleSoft";

const LargeRoute kRows[] = {
    {30, "ParseLargeLedData", ParseLargeLedData},
    {31, "ParseLargeSpotNews", ParseLargeSpotNews},
    {63, "ParseLargeDispInfo", ParseLargeDispInfo},
    {118, kIdleSoft,
     ParseRecordLayout<kIdleSoft, &GroupMessageRecords::indicator, &IndicatorRecords::idleSoftList, kIdleSoftLayout>},
};

}  // namespace

const LargeRouteList kIndicatorRoutes = RoutesOf(kRows);

}  // namespace korven

int KORVEN_GetLargeButtonLED(char* out) {
    return korven::CopyOutRecord("KORVEN_GetLargeButtonLED", korven::ServedSystems::Both, out,
                                 &GroupMessageRecords::indicator, &IndicatorRecords::buttonLed);
}

int KORVEN_GetLargeSpotNews(int* length, unsigned char* text) {
    return korven::RunLargeGetter(
        "KORVEN_GetLargeSpotNews", korven::ServedSystems::Both,
        [length, text](const LargeRecords& records) {
            const IndicatorRecords& indicator = records.groupMessage.indicator;
            *length = indicator.spotNewsLength;
            std::copy(std::begin(indicator.spotNews), std::end(indicator.spotNews), text);
            return 0;
        },
        length == nullptr || text == nullptr);
}

int KORVEN_GetLargeSpotNewsDispInfo() {
    return korven::RunLargeGetterWithEndLine(
        "KORVEN_GetLargeSpotNewsDispInfo", korven::ServedSystems::Both,
        [](const LargeRecords& records) { return records.groupMessage.indicator.newsShow; },
        [](int newsShow) { WriteLog("[FN-END]KORVEN_GetLargeSpotNewsDispInfo : Info-NewsShow[%d]", newsShow); });
}

int KORVEN_GetLargeIdleSoftList(tagSTSOFTSOFTTLIST* out) {
    return korven::CopyOutRecord("KORVEN_GetLargeIdleSoftList", korven::ServedSystems::Both, out,
                                 &GroupMessageRecords::indicator, &IndicatorRecords::idleSoftList);
}
