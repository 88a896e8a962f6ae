// Packed-BCD dial strings: two digits per byte, high nibble first, '*' as
// 0xA, '#' as 0xB, 0xF as filler.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korven {

// Packs text into the fieldSize bytes of field, which end up 0xFF after the
// last digit. Reads at most 2 * fieldSize characters and stops early at the
// terminator or at the first character that is not 0-9, '*' or '#'. A null
// text packs as empty.
void EncodeBcdDigits(uint8_t* field, size_t fieldSize, const char* text);

// Unpacks the fieldSize bytes of field into out, which must hold
// 2 * fieldSize + 1 bytes and is always zero-terminated. A 0xFF byte or a
// low nibble of 0xF ends the text; nibbles 0xC to 0xE leave their position 0.
void DecodeBcdDigits(const uint8_t* field, size_t fieldSize, char* out);

}  // namespace korven
