// Conversion between the user's narrow character set and UTF-16, by Windows
// code page number, for the text of the telephone display.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korven::platform {

constexpr unsigned kCodePageKoi8R = 20866;

// The narrow character set of display text: KOI8-R for a Russian user, the
// ANSI code page of the user's language otherwise. Looked up afresh at every
// call, so a change of the user's language applies to the next conversion.
unsigned UserNarrowCodePage();

// Converts count bytes of codePage text into out, which has room for
// capacity code units. Returns the number of code units written; 0 when
// count is 0, when the text needs more than capacity units or when the code
// page is unknown. Bytes that are no character of the code page are
// replaced, not refused.
size_t NarrowToWide(unsigned codePage, const uint8_t* text, size_t count, char16_t* out, size_t capacity);

// Converts the zero-terminated text into codePage: as many whole characters
// as fit in capacity - 1 bytes, then a terminator, so the result is never a
// cut multibyte character nor unterminated. Characters the code page lacks
// become its default character. Returns the bytes before the terminator
// (capacity must be at least 1).
size_t WideToNarrow(unsigned codePage, const char16_t* text, char* out, size_t capacity);

}  // namespace korven::platform
