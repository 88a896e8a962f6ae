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
constexpr RecordField kAudioLayout[] = {
    {12, offsetof(Audio, firstCode), 1, FieldCodec::Raw},
    {13, offsetof(Audio, secondCode), 1, FieldCodec::Raw},
    {14, offsetof(Audio, address), sizeof(Audio::address), FieldCodec::Dotted},
    {18, offsetof(Audio, port), 4, FieldCodec::Be16},
    {20, offsetof(Audio, number), sizeof(Audio::number), FieldCodec::Digits},
    {37, offsetof(Audio, thirdCode), 1, FieldCodec::Raw},
    {64, offsetof(Audio, firstData30), 30, FieldCodec::Raw},
    {94, offsetof(Audio, secondData30), 30, FieldCodec::Raw},
    {124, offsetof(Audio, fourthCode), 1, FieldCodec::Raw},
    {125, offsetof(Audio, fifthCode), 1, FieldCodec::Raw},
    {136, offsetof(Audio, firstData48), 48, FieldCodec::Raw},
    {184, offsetof(Audio, secondData48), 48, FieldCodec::Raw},
};

// The video fields of both system types; the second and third code are
// normalised separately.
constexpr RecordField kVideoLayout[] = {
    {12, offsetof(Video, firstCode), 1, FieldCodec::Raw},
    {14, offsetof(Video, address), sizeof(Video::address), FieldCodec::Dotted},
    {18, offsetof(Video, port), 4, FieldCodec::Be16},
    {22, offsetof(Video, fourthCode), 1, FieldCodec::Raw},
};
constexpr RecordField kVideoKorvenhostLayout[] = {{26, offsetof(Video, secondValue), 4, FieldCodec::Be16}};
constexpr RecordField kVideoIapLayout[] = {{28, offsetof(Video, secondValue), 4, FieldCodec::Be16}};

// The IAP long form (total length 214 or more); the payloads travel as four
// bytes copied as they are.
constexpr RecordField kVideoLongFormLayout[] = {
    {50, offsetof(Video, firstData30), 30, FieldCodec::Raw},
    {80, offsetof(Video, secondData30), 30, FieldCodec::Raw},
    {110, offsetof(Video, localAlgorithm), 1, FieldCodec::Raw},
    {111, offsetof(Video, remoteAlgorithm), 1, FieldCodec::Raw},
    {112, offsetof(Video, localPayload), 4, FieldCodec::Raw},
    {116, offsetof(Video, remotePayload), 4, FieldCodec::Raw},
    {120, offsetof(Video, firstData48), 48, FieldCodec::Raw},
    {168, offsetof(Video, secondData48), 48, FieldCodec::Raw},
};
constexpr size_t kVideoLongFormLength = 214;
constexpr uint8_t kNoAlgorithm = 0xFF;

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
