#include "pbx_frames.h"

#include <cstring>

namespace pbxsim {

Bytes MakePbxFrame(uint8_t messageClass, uint8_t messageId, const Bytes& payload) {
    const size_t total = 12 + payload.size();
    Bytes frame = {0x7E, 0x80, 0xFF, 0xFF, static_cast<uint8_t>(total >> 8), static_cast<uint8_t>(total & 0xFF),
                   0x06, 0x10, 0x10, 0x11, messageClass, messageId};
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

void PutBytes(Bytes& payload, size_t offset, const Bytes& value) {
    if (payload.size() < offset + value.size()) payload.resize(offset + value.size(), 0);
    std::memcpy(payload.data() + offset, value.data(), value.size());
}

void PutText(Bytes& payload, size_t offset, const char* text, size_t width) {
    Bytes field(width, 0);
    for (size_t i = 0; i < width && text[i] != '\0'; ++i) field[i] = static_cast<uint8_t>(text[i]);
    PutBytes(payload, offset, field);
}

void PutBe16(Bytes& payload, size_t offset, uint16_t value) {
    PutBytes(payload, offset, {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)});
}

}  // namespace pbxsim
