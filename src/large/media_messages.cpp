// Audio and video stream parameters (ids 51, 80).
#include <cstddef>
#include <cstdint>

#include "large/event_process_large.h"
#include "large/group_message_fields.h"
#include "transport/frame_header.h"

namespace korven {
namespace {

using Audio = tagSTSOFTAUDIOCONTROL;
using Video = tagSTSOFTVIDEOCONTROL;

// b28-b36, b38-b63 and b126-b135 are not read. The number's 16 characters
// fill their field; the third code that follows is never overwritten by a
// terminator.
constexpr Field kAudioLayout[] = {
    {offsetof(Audio, firstCode), 1, 12, Codec::Raw},
    {offsetof(Audio, secondCode), 1, 13, Codec::Raw},
    {offsetof(Audio, address), sizeof(Audio::address), 14, Codec::Dotted},
    {offsetof(Audio, port), 4, 18, Codec::Be16},
    {offsetof(Audio, number), sizeof(Audio::number), 20, Codec::Bcd},
    {offsetof(Audio, thirdCode), 1, 37, Codec::Raw},
    {offsetof(Audio, firstData30), 30, 64, Codec::Raw},
    {offsetof(Audio, secondData30), 30, 94, Codec::Raw},
    {offsetof(Audio, fourthCode), 1, 124, Codec::Raw},
    {offsetof(Audio, fifthCode), 1, 125, Codec::Raw},
    {offsetof(Audio, firstData48), 48, 136, Codec::Raw},
    {offsetof(Audio, secondData48), 48, 184, Codec::Raw},
};

// The video fields of both system types; the second and third code are
// normalised separately.
constexpr Field kVideoLayout[] = {
    {offsetof(Video, firstCode), 1, 12, Codec::Raw},
    {offsetof(Video, address), sizeof(Video::address), 14, Codec::Dotted},
    {offsetof(Video, port), 4, 18, Codec::Be16},
    {offsetof(Video, fourthCode), 1, 22, Codec::Raw},
};
constexpr Field kVideoKorvenhostLayout[] = {{offsetof(Video, secondValue), 4, 26, Codec::Be16}};
constexpr Field kVideoIapLayout[] = {{offsetof(Video, secondValue), 4, 28, Codec::Be16}};

// The IAP long form (total length 214 or more); the payloads travel as four
// bytes copied as they are.
constexpr Field kVideoLongFormLayout[] = {
    {offsetof(Video, firstData30), 30, 50, Codec::Raw},    {offsetof(Video, secondData30), 30, 80, Codec::Raw},
    {offsetof(Video, localAlgorithm), 1, 110, Codec::Raw}, {offsetof(Video, remoteAlgorithm), 1, 111, Codec::Raw},
    {offsetof(Video, localPayload), 4, 112, Codec::Raw},   {offsetof(Video, remotePayload), 4, 116, Codec::Raw},
    {offsetof(Video, firstData48), 48, 120, Codec::Raw},   {offsetof(Video, secondData48), 48, 168, Codec::Raw},
};
constexpr size_t kVideoLongFormLength = 214;
constexpr uint8_t kNoAlgorithm = 0xFF;

static_assert(IsSound(LayoutOf(kVideoLayout), sizeof(Video)) &&
              IsSound(LayoutOf(kVideoKorvenhostLayout), sizeof(Video)) &&
              IsSound(LayoutOf(kVideoIapLayout), sizeof(Video)) &&
              IsSound(LayoutOf(kVideoLongFormLayout), sizeof(Video)));

// Values 10 and above carry an offset of 10; anything outside 1..limit
// becomes 1.
uint8_t NormalisedSecondCode(uint8_t value, uint8_t limit) {
    const uint8_t v = value >= 10 ? static_cast<uint8_t>(value - 10) : value;
    return v < 1 || v > limit ? 1 : v;
}

uint8_t NormalisedThirdCode(uint8_t value) {
    const auto v = static_cast<uint8_t>(value - 10);
    return v < 1 || v > 2 ? 1 : v;
}

void DecodeIapVideo(Video& video, const FrameReader& frame) {
    DecodeFields(kVideoIapLayout, frame, 0, video);
    video.localAlgorithm = kNoAlgorithm;
    video.remoteAlgorithm = kNoAlgorithm;
    const size_t total = frame.be16(kTotalLengthPos);
    if (total >= kVideoLongFormLength) DecodeFields(kVideoLongFormLayout, frame, 0, video);
    WriteLog("++>[MESSAGE] : ParseLargeVideoCtrl.. IAP nLen(%d), algm(L:%d/R:%d), payload(L:%d/R:%d)",
             static_cast<int>(total), video.localAlgorithm, video.remoteAlgorithm, video.localPayload,
             video.remotePayload);
}

void ParseLargeVideoCtrl(const LargeMessage& message) {
    const bool iap = message.app.IsIap();
    RunLargeHandler(message, "ParseLargeVideoCtrl", [iap](LargeRecords& records, const FrameReader& frame) {
        Video& video = records.groupMessage.media.video;
        DecodeRecord(kVideoLayout, frame, video);
        video.secondCode = NormalisedSecondCode(frame.u8(13), iap ? 5 : 3);
        video.thirdCode = NormalisedThirdCode(frame.u8(20));
        if (iap) {
            DecodeIapVideo(video, frame);
        } else {
            DecodeFields(kVideoKorvenhostLayout, frame, 0, video);
        }
    });
}

constexpr char kAudioCtrl[] = "ParseLargeAudioCtrl";

const LargeRoute kRows[] = {
    {51, kAudioCtrl, ParseRecordLayout<kAudioCtrl, &GroupMessageRecords::media, &MediaRecords::audio, kAudioLayout>},
    {80, "ParseLargeVideoCtrl", ParseLargeVideoCtrl},
};

}  // namespace

const LargeRouteList kMediaRoutes = RoutesOf(kRows);

}  // namespace korven

int KORVEN_GetLargeAudioControl(tagSTSOFTAUDIOCONTROL* out) {
    return korven::CopyOutRecord("KORVEN_GetLargeAudioControl", korven::ServedSystems::Both, out,
                                 &GroupMessageRecords::media, &MediaRecords::audio);
}

int KORVEN_GetLargeVideoControl(tagSTSOFTVIDEOCONTROL* out) {
    return korven::CopyOutRecord("KORVEN_GetLargeVideoControl", korven::ServedSystems::Both, out,
                                 &GroupMessageRecords::media, &MediaRecords::video);
}
