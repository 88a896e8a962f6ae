// LARGE_PHONE_DB0: the softphone's station data, decoded into the layout of
// the current system type, with the payload kept for KORVEN_WidePhoneDB0.
#include <cstring>

#include "large/large_handler_steps.h"
#include "large/phone_database_layouts.h"

namespace korven {
namespace {

constexpr size_t kRtpPortPos = 196;
constexpr size_t kVideoPortPos = 198;

// The ports as they would read low byte first, beside the values stored.
void LogMediaPorts(const FrameReader& frame) {
    const auto lowFirst = [&frame](size_t pos) { return frame.u8(pos) | frame.u8(pos + 1) << 8; };
    WriteLog("++>[MESSAGE] : ParseLargePhoneDB.. ipp_rtp_port(0x%04X->0x%04X), ipp_video_port(0x%04X->0x%04X)",
             lowFirst(kRtpPortPos), frame.be16(kRtpPortPos), lowFirst(kVideoPortPos), frame.be16(kVideoPortPos));
}

void ParseLargePhoneDB(const LargeMessage& message) {
    const bool iap = message.app.IsIap();
    RunLargeHandler(message, "ParseLargePhoneDB", [iap](LargeRecords& records, const FrameReader& frame) {
        const PhoneDb0Format& format = PhoneDb0FormatOf(iap);
        PhoneDb0Store& store = records.callMenu.phoneDb0[iap ? 1 : 0];
        store = PhoneDb0Store{};
        frame.bytes(kPhoneDb0PayloadPos, store.payload, format.payloadSize);
        Decode(format.fields, frame, store.layout);
        if (!iap) LogMediaPorts(frame);
    });
}

const LargeRoute kRows[] = {
    {9, "ParseLargePhoneDB", ParseLargePhoneDB},
};

}  // namespace

const LargeRouteList kPhoneDatabaseRoutes = RoutesOf(kRows);

}  // namespace korven

int KORVEN_GetLargePhoneDB0(void* out) {
    return korven::RunLargeRecordGetter("KORVEN_GetLargePhoneDB0", korven::ServedSystems::Both,
                                        static_cast<uint8_t*>(out), [](const LargeRecords& records, uint8_t& target) {
                                            const bool iap = theApp().IsIap();
                                            const korven::PhoneDb0Format& format = korven::PhoneDb0FormatOf(iap);
                                            std::memcpy(&target, records.callMenu.phoneDb0[iap ? 1 : 0].layout,
                                                        format.layoutSize);
                                        });
}
