// Fixed-width text fields of the state object and the records: zero-filled,
// not terminated when full.
#pragma once

#include <cstddef>

namespace korven {

// Zeroes the field, then copies at most maxChars characters of text.
void StoreText(char* field, size_t fieldSize, const char* text, size_t maxChars);
// Copies at most size bytes of the field (never more than fieldSize) to out.
void CopyField(char* out, int size, const char* field, size_t fieldSize);

}  // namespace korven
