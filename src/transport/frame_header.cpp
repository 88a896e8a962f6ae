#include "transport/frame_header.h"

namespace korven {
namespace {

// What tells the forms apart: bytes 6 to 10, and whether the tag is fixed.
struct FormLayout {
    bool fixedTag;
    uint8_t routeAndClass[5];
};

constexpr FormLayout kFormLayouts[] = {
    /* A */ {true, {0x06, 0x10, 0x10, 0x11, kClassWide}},
    /* B */ {false, {0x02, 0x8B, 0x10, 0x11, kClassWideShort}},
    /* C */ {false, {0x07, 0x8B, 0x10, 0x11, kClassWide}},
    /* D */ {true, {0x07, 0x8B, 0x10, 0x11, kClassWide}},
};

constexpr uint8_t kMarkers[2] = {0x7E, 0x80};
constexpr StationTag kFixedTag = {{0xFF, 0xFF}};
constexpr size_t kRoutePos = 6;

void WriteHeaderFields(FrameWriter& out, const FormLayout& layout, StationTag tag, uint16_t totalLength) {
    out.putBytes(0, kMarkers, sizeof kMarkers);
    out.putBytes(kStationTagPos, tag.bytes, sizeof tag.bytes);
    out.putBe16(kTotalLengthPos, totalLength);
    out.putBytes(kRoutePos, layout.routeAndClass, sizeof layout.routeAndClass);
}

}  // namespace

void WriteWideHeader(uint8_t* frame, HeaderForm form, StationTag tag, uint16_t totalLength, uint8_t messageId) {
    const FormLayout& layout = kFormLayouts[static_cast<size_t>(form)];
    FrameWriter out(frame, kHeaderSize);
    WriteHeaderFields(out, layout, layout.fixedTag ? kFixedTag : tag, totalLength);
    out.put8(kMessageIdPos, messageId);
}

void BuildWideHeader(uint8_t* frame, uint16_t tag, bool iap) {
    const StationTag tagBytes = {{static_cast<uint8_t>(tag >> 8), static_cast<uint8_t>(tag & 0xFF)}};
    FrameWriter out(frame, kHeaderSize);
    WriteHeaderFields(out, kFormLayouts[static_cast<size_t>(iap ? HeaderForm::C : HeaderForm::A)], tagBytes, 0);
}

FrameHeaderView ReadFrameHeader(const FrameReader& frame) {
    return {frame.be16(kTotalLengthPos), frame.u8(kClassPos), frame.u8(kMessageIdPos)};
}

}  // namespace korven
