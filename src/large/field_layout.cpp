#include "large/field_layout.h"

#include <cstring>

#include "transport/bcd_digits.h"

namespace korven {
namespace {

constexpr uint8_t kDigitBase = 0x30;
constexpr uint8_t kFoldStep = 10;

void DecodeRaw(const Field& f, const FrameReader& frame, uint8_t* record) {
    frame.bytes(f.offset, record + f.pos, f.width);
}

void EncodeRaw(const Field& f, const uint8_t* record, FrameWriter& frame) {
    frame.putBytes(f.offset, record + f.pos, f.width);
}

void DecodeDigit30(const Field& f, const FrameReader& frame, uint8_t* record) {
    for (size_t i = 0; i < f.width; ++i) {
        record[f.pos + i] = static_cast<uint8_t>(frame.u8(f.offset + i) + kDigitBase);
    }
}

void EncodeDigit30(const Field& f, const uint8_t* record, FrameWriter& frame) {
    for (size_t i = 0; i < f.width; ++i) {
        frame.put8(f.offset + i, static_cast<uint8_t>(record[f.pos + i] - kDigitBase));
    }
}

void DecodeBcd(const Field& f, const FrameReader& frame, uint8_t* record) {
    uint8_t packed[kMaxBcdBytes];
    char digits[2 * kMaxBcdBytes + 1];
    const size_t packedSize = f.width / 2u;
    frame.bytes(f.offset, packed, packedSize);
    DecodeBcdDigits(packed, packedSize, digits);
    std::memcpy(record + f.pos, digits, f.width);
}

// The record's text ends at its first zero byte or its full width; the
// encoder reads no more than width characters.
void EncodeBcd(const Field& f, const uint8_t* record, FrameWriter& frame) {
    uint8_t packed[kMaxBcdBytes];
    const size_t packedSize = f.width / 2u;
    EncodeBcdDigits(packed, packedSize, reinterpret_cast<const char*>(record + f.pos));
    frame.putBytes(f.offset, packed, packedSize);
}

void DecodeNormalised(const Field& f, const FrameReader& frame, uint8_t* record) {
    uint8_t value = frame.u8(f.offset);
    if (value > kFoldStep) value = static_cast<uint8_t>(value - kFoldStep);
    record[f.pos] = value >= 1 && value <= f.top ? value : 1;
}

void DecodeOne(const Field& f, const FrameReader&, uint8_t* record) { record[f.pos] = 1; }

void DecodeReceivedPort(const Field& f, const FrameReader& frame, uint8_t* record) {
    const uint16_t port = frame.be16(f.offset);
    std::memcpy(record + f.pos, &port, sizeof port);
}

void EncodeNothing(const Field&, const uint8_t*, FrameWriter&) {}

struct CodecSteps {
    void (*decode)(const Field&, const FrameReader&, uint8_t*);
    void (*encode)(const Field&, const uint8_t*, FrameWriter&);
};

// Indexed by Codec.
constexpr CodecSteps kCodecSteps[] = {
    {DecodeRaw, EncodeRaw},
    {DecodeDigit30, EncodeDigit30},
    {DecodeBcd, EncodeBcd},
    {DecodeNormalised, EncodeRaw},
    {DecodeOne, EncodeRaw},
    {DecodeReceivedPort, EncodeNothing},
};
static_assert(sizeof kCodecSteps / sizeof kCodecSteps[0] == static_cast<size_t>(Codec::ReceivedPort) + 1);

const CodecSteps& StepsOf(Codec codec) { return kCodecSteps[static_cast<size_t>(codec)]; }

}  // namespace

void Decode(FieldLayout layout, const FrameReader& frame, uint8_t* record) {
    for (size_t i = 0; i < layout.count; ++i) {
        const Field& f = layout.fields[i];
        StepsOf(f.codec).decode(f, frame, record);
    }
}

void Encode(FieldLayout layout, const uint8_t* record, FrameWriter& frame) {
    for (size_t i = 0; i < layout.count; ++i) {
        const Field& f = layout.fields[i];
        StepsOf(f.codec).encode(f, record, frame);
    }
}

}  // namespace korven
