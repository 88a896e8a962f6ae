#include "large/group_message_fields.h"

#include <algorithm>
#include <cstdio>

#include "transport/bcd_digits.h"

namespace korven {
namespace {

constexpr size_t kMaxBcdBytes = 11;

void DecodeDigits(const FrameReader& frame, size_t pos, uint8_t* out, size_t width) {
    uint8_t packed[kMaxBcdBytes];
    const size_t bcdBytes = std::min(width / 2, kMaxBcdBytes);
    frame.bytes(pos, packed, bcdBytes);
    // The decoder terminates its text, so it works on a copy one byte wider
    // than the record field.
    char text[2 * kMaxBcdBytes + 1];
    DecodeBcdDigits(packed, bcdBytes, text);
    std::memset(out, 0, width);
    std::memcpy(out, text, 2 * bcdBytes);
}

void DecodeDotted(const FrameReader& frame, size_t pos, uint8_t* out, size_t width) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", frame.u8(pos), frame.u8(pos + 1), frame.u8(pos + 2),
                  frame.u8(pos + 3));
    std::memset(out, 0, width);
    if (width > 0) std::memcpy(out, text, std::min(std::strlen(text), width - 1));
}

}  // namespace

void DecodeField(const RecordField& field, const FrameReader& frame, size_t base, uint8_t* record) {
    const size_t pos = base + field.framePos;
    uint8_t* out = record + field.recordPos;
    switch (field.codec) {
        case FieldCodec::Raw: frame.bytes(pos, out, field.width); break;
        case FieldCodec::Digits: DecodeDigits(frame, pos, out, field.width); break;
        case FieldCodec::Dotted: DecodeDotted(frame, pos, out, field.width); break;
        case FieldCodec::Be16: {
            const int value = frame.be16(pos);
            std::memcpy(out, &value, std::min(sizeof value, size_t{field.width}));
            break;
        }
    }
}

std::string FieldText(const void* field, size_t width) {
    const char* text = static_cast<const char*>(field);
    return std::string(text, strnlen(text, width));
}

}  // namespace korven
