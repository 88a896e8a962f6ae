#include "large/field_layout.h"

#include <cstdio>
#include <cstring>

#include "transport/bcd_digits.h"

namespace korven {
namespace {

constexpr uint8_t kDigitBase = 0x30;
constexpr uint8_t kFoldStep = 10;
constexpr size_t kAddressBytes = 4;

// Each step handles one field whose first frame byte is at.
void DecodeRaw(const Field& f, const FrameReader& frame, size_t at, uint8_t* record) {
    frame.bytes(at, record + f.pos, f.width);
}

void EncodeRaw(const Field& f, const uint8_t* record, FrameWriter& frame, size_t at) {
    frame.putBytes(at, record + f.pos, f.width);
}

void DecodeDigit30(const Field& f, const FrameReader& frame, size_t at, uint8_t* record) {
    for (size_t i = 0; i < f.width; ++i) {
        record[f.pos + i] = static_cast<uint8_t>(frame.u8(at + i) + kDigitBase);
    }
}

void EncodeDigit30(const Field& f, const uint8_t* record, FrameWriter& frame, size_t at) {
    for (size_t i = 0; i < f.width; ++i) {
        frame.put8(at + i, static_cast<uint8_t>(record[f.pos + i] - kDigitBase));
    }
}

void DecodeBcd(const Field& f, const FrameReader& frame, size_t at, uint8_t* record) {
    uint8_t packed[kMaxBcdBytes];
    char digits[2 * kMaxBcdBytes + 1];
    const size_t packedSize = f.width / 2u;
    frame.bytes(at, packed, packedSize);
    DecodeBcdDigits(packed, packedSize, digits);
    std::memcpy(record + f.pos, digits, f.width);
}

// The record's text ends at its first zero byte or its full width; the
// encoder reads no more than width characters.
void EncodeBcd(const Field& f, const uint8_t* record, FrameWriter& frame, size_t at) {
    uint8_t packed[kMaxBcdBytes];
    const size_t packedSize = f.width / 2u;
    EncodeBcdDigits(packed, packedSize, reinterpret_cast<const char*>(record + f.pos));
    frame.putBytes(at, packed, packedSize);
}

void DecodeNormalised(const Field& f, const FrameReader& frame, size_t at, uint8_t* record) {
    uint8_t value = frame.u8(at);
    if (value > kFoldStep) value = static_cast<uint8_t>(value - kFoldStep);
    record[f.pos] = value >= 1 && value <= f.top ? value : 1;
}

void DecodeOne(const Field& f, const FrameReader&, size_t, uint8_t* record) { record[f.pos] = 1; }

void DecodeReceivedPort(const Field& f, const FrameReader& frame, size_t at, uint8_t* record) {
    const uint16_t port = frame.be16(at);
    std::memcpy(record + f.pos, &port, sizeof port);
}

void EncodeNothing(const Field&, const uint8_t*, FrameWriter&, size_t) {}

void DecodeDotted(const Field& f, const FrameReader& frame, size_t at, uint8_t* record) {
    char text[kDottedWidth];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", frame.u8(at), frame.u8(at + 1), frame.u8(at + 2), frame.u8(at + 3));
    std::memset(record + f.pos, 0, f.width);
    std::memcpy(record + f.pos, text, std::strlen(text));
}

// The text ends at its first zero byte, its full width or the first
// character that is neither a digit nor a dot; parts it lacks go as 0 and
// each part keeps its low 8 bits.
void EncodeDotted(const Field& f, const uint8_t* record, FrameWriter& frame, size_t at) {
    uint8_t parts[kAddressBytes] = {};
    size_t part = 0;
    for (size_t i = 0; i < f.width && part < kAddressBytes; ++i) {
        const uint8_t c = record[f.pos + i];
        if (c == '.') {
            ++part;
        } else if (c >= '0' && c <= '9') {
            parts[part] = static_cast<uint8_t>(parts[part] * 10 + (c - '0'));
        } else {
            break;
        }
    }
    frame.putBytes(at, parts, kAddressBytes);
}

void DecodeBe16(const Field& f, const FrameReader& frame, size_t at, uint8_t* record) {
    const int value = frame.be16(at);
    std::memcpy(record + f.pos, &value, sizeof value);
}

void EncodeBe16(const Field& f, const uint8_t* record, FrameWriter& frame, size_t at) {
    int value;
    std::memcpy(&value, record + f.pos, sizeof value);
    frame.putBe16(at, static_cast<uint16_t>(value));
}

struct CodecSteps {
    void (*decode)(const Field&, const FrameReader&, size_t, uint8_t*);
    void (*encode)(const Field&, const uint8_t*, FrameWriter&, size_t);
};

// Indexed by Codec.
constexpr CodecSteps kCodecSteps[] = {
    {DecodeRaw, EncodeRaw},        {DecodeDigit30, EncodeDigit30}, {DecodeBcd, EncodeBcd},
    {DecodeNormalised, EncodeRaw}, {DecodeOne, EncodeRaw},         {DecodeReceivedPort, EncodeNothing},
    {DecodeDotted, EncodeDotted},  {DecodeBe16, EncodeBe16},
};
static_assert(sizeof kCodecSteps / sizeof kCodecSteps[0] == static_cast<size_t>(Codec::Be16) + 1);

const CodecSteps& StepsOf(Codec codec) { return kCodecSteps[static_cast<size_t>(codec)]; }

}  // namespace

void Decode(FieldLayout layout, const FrameReader& frame, uint8_t* record, size_t base) {
    for (size_t i = 0; i < layout.count; ++i) {
        const Field& f = layout.fields[i];
        StepsOf(f.codec).decode(f, frame, base + f.offset, record);
    }
}

void Encode(FieldLayout layout, const uint8_t* record, FrameWriter& frame, size_t base) {
    for (size_t i = 0; i < layout.count; ++i) {
        const Field& f = layout.fields[i];
        StepsOf(f.codec).encode(f, record, frame, base + f.offset);
    }
}

}  // namespace korven
