// Dotted-decimal IPv4 text to the four address bytes carried in payloads.
#pragma once

#include <cstdint>

namespace korven {

// Converts up to four '.'-separated pieces of text into out[0..3], in order.
// Only the first 29 characters are looked at; empty pieces are skipped. Each
// piece is read as a decimal number the way the C library's atoi reads it
// and truncated to 8 bits. Bytes without a piece are left unchanged, so
// callers zero out first; a null text leaves out untouched.
void ParseDottedIPv4(const char* text, uint8_t out[4]);

}  // namespace korven
