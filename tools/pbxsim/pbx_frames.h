// Frames as the PBX sends them: the 12-byte header and a payload. The
// builders of the individual messages (builders/) use this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pbxsim {

constexpr uint8_t kClassNormal = 0x10;
constexpr uint8_t kClassLarge = 0x11;

using Bytes = std::vector<uint8_t>;

// 7E 80, station tag FF FF, total length (big-endian), route 06 10 10 11,
// class, id, then the payload.
Bytes MakePbxFrame(uint8_t messageClass, uint8_t messageId, const Bytes& payload);

// Writes value at payload offset (payload grows with zeros as needed).
void PutBytes(Bytes& payload, size_t offset, const Bytes& value);
void PutText(Bytes& payload, size_t offset, const char* text, size_t width);
void PutBe16(Bytes& payload, size_t offset, uint16_t value);

}  // namespace pbxsim
