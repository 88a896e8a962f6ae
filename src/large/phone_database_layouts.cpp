#include "large/phone_database_layouts.h"

#include <mutex>

#include "core/app_state.h"

namespace korven {
namespace {

constexpr Field kKorvenhostFields[] = {
    {0, 4, 12, Codec::Digit30},
    {4, 5, 16, Codec::Raw},
    {9, 8, 28, Codec::Bcd},
    {17, 2, 33, Codec::Raw},
    {19, 10, 35, Codec::Raw},
    {29, 4, 45, Codec::Raw},
    {33, 22, 49, Codec::Bcd},
    {55, 22, 60, Codec::Bcd},
    {77, 22, 71, Codec::Bcd},
    {99, 22, 82, Codec::Bcd},
    {121, 22, 93, Codec::Bcd},
    {143, 8, 104, Codec::Bcd},
    {151, 8, 108, Codec::Bcd},
    {159, 8, 112, Codec::Bcd},
    {167, 8, 116, Codec::Bcd},
    {175, 44, 120, Codec::Raw},
    {219, 2, 164, Codec::Raw},
    {221, 1, 168, Codec::Raw},
    {222, 4, 170, Codec::Raw},
    {226, 10, 174, Codec::Raw},
    {236, 1, 188, Codec::Normalised, 3},
    {237, 1, 189, Codec::One},
    {238, 2, 190, Codec::Raw},
    {240, 2, 196, Codec::ReceivedPort},  // ipp_rtp_port
    {242, 2, 198, Codec::ReceivedPort},  // ipp_video_port
};

constexpr Field kIapFields[] = {
    {0, 4, 20, Codec::Digit30},
    {4, 1, 19, Codec::Raw},
    {5, 1, 25, Codec::Raw},
    {6, 1, 27, Codec::Raw},
    {7, 8, 12, Codec::Bcd},
    {15, 1, 18, Codec::Raw},
    {16, 10, 36, Codec::Raw},
    {26, 3, 46, Codec::Raw},
    {29, 1, 50, Codec::Raw},
    {30, 22, 51, Codec::Bcd},
    {52, 1, 62, Codec::Raw},
    {53, 22, 63, Codec::Bcd},
    {75, 1, 74, Codec::Raw},
    {76, 22, 75, Codec::Bcd},
    {98, 1, 86, Codec::Raw},
    {99, 1, 87, Codec::Normalised, 5},
    {100, 1, 88, Codec::Normalised, 2},
    {101, 3, 89, Codec::Raw},
};

constexpr PhoneDb0Format kFormats[] = {
    {LayoutOf(kKorvenhostFields), KORVEN_PHONE_DB0_KORVENHOST_SIZE, 200},
    {LayoutOf(kIapFields), KORVEN_PHONE_DB0_IAP_SIZE, 144},
};

// Every field must lie inside its layout and the stored copies, and every
// frame byte it travels in inside the kept payload.
constexpr bool FitsStore(const PhoneDb0Format& format) {
    for (size_t i = 0; i < format.fields.count; ++i) {
        const Field& f = format.fields.fields[i];
        const size_t frameWidth = f.codec == Codec::Bcd ? f.width / 2u : f.width;
        if (f.offset < kPhoneDb0PayloadPos || f.offset + frameWidth > kPhoneDb0PayloadPos + format.payloadSize) {
            return false;
        }
    }
    return IsSound(format.fields, format.layoutSize) && format.layoutSize <= sizeof(PhoneDb0Store::layout) &&
           format.payloadSize <= sizeof(PhoneDb0Store::payload);
}
static_assert(FitsStore(kFormats[0]) && FitsStore(kFormats[1]));

}  // namespace

const PhoneDb0Format& PhoneDb0FormatOf(bool iap) { return kFormats[iap ? 1 : 0]; }

void WritePhoneDb0Payload(const CKorvenSignalLibApp& app, bool iap, const uint8_t* layout, FrameWriter& frame) {
    const PhoneDb0Format& format = PhoneDb0FormatOf(iap);
    {
        std::lock_guard<std::mutex> guard(app.recordLock);
        frame.putBytes(kPhoneDb0PayloadPos, app.large.callMenu.phoneDb0[iap ? 1 : 0].payload, format.payloadSize);
    }
    Encode(format.fields, layout, frame);
}

}  // namespace korven
