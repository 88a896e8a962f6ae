// Fixed byte layouts declared as tables: each field says where it sits in
// the record, how wide it is there, where it travels in the frame and how.
// One walker decodes a frame into a record, its twin encodes a record back.
#pragma once

#include <cstddef>
#include <cstdint>

#include "transport/frame_reader.h"

namespace korven {

// How one field travels.
enum class Codec : uint8_t {
    // Bytes as they are.
    Raw,
    // One byte per digit, 0-9 in the frame and '0'-'9' in the record (plus
    // or minus 0x30, kept to 8 bits).
    Digit30,
    // width / 2 packed-BCD bytes in the frame, width digit characters in the
    // record: zero-filled, not terminated when all are used.
    Bcd,
    // One byte folded into 1..top on decoding: a value above 10 first loses
    // 10, a result still outside 1..top becomes 1. Encoded as the record
    // holds it.
    Normalised,
    // One byte the record always holds as 1; encoded as the record holds it.
    One,
    // A big-endian 16-bit port kept as a host-order uint16_t. Never encoded:
    // the port is the PBX's to assign, so its bytes go back as received.
    ReceivedPort,
    // Four address bytes in the frame, "a.b.c.d" text in the record,
    // zero-filled to width.
    Dotted,
    // Two big-endian bytes in the frame, a host-order int in the record;
    // encoded as the int's low 16 bits.
    Be16,
};

struct Field {
    uint16_t pos;     // first byte in the record
    uint16_t width;   // bytes in the record
    uint16_t offset;  // first byte in the frame from the walker's base
    Codec codec;
    uint8_t top = 0;  // Normalised only: the largest value kept
};

struct FieldLayout {
    const Field* fields;
    size_t count;
};

template <size_t N>
constexpr FieldLayout LayoutOf(const Field (&fields)[N]) {
    return {fields, N};
}

// Longest packed-BCD field a layout may declare, in frame bytes.
constexpr size_t kMaxBcdBytes = 16;
// Room a Dotted field needs for "255.255.255.255" and its terminator.
constexpr size_t kDottedWidth = 16;

// True when every field lies within a record of recordSize bytes and has a
// width its codec can carry. Every table is static_asserted with it, which is
// what keeps the walkers inside their buffers.
constexpr bool IsSound(FieldLayout layout, size_t recordSize) {
    for (size_t i = 0; i < layout.count; ++i) {
        const Field& f = layout.fields[i];
        if (f.pos + f.width > recordSize) return false;
        const bool oneByte = f.codec == Codec::Normalised || f.codec == Codec::One;
        if (oneByte && f.width != 1) return false;
        if (f.codec == Codec::ReceivedPort && f.width != 2) return false;
        if (f.codec == Codec::Bcd && (f.width % 2 != 0 || f.width > 2 * kMaxBcdBytes)) return false;
        if (f.codec == Codec::Dotted && f.width < kDottedWidth) return false;
        if (f.codec == Codec::Be16 && f.width != sizeof(int)) return false;
    }
    return true;
}

// Writes every field of the layout into record from the frame, reading each
// at base + offset so that one layout serves every entry of a repeated
// group; record bytes outside the fields are left as they are. Frame bytes
// not received read as zero.
void Decode(FieldLayout layout, const FrameReader& frame, uint8_t* record, size_t base = 0);

// Writes every field of the record back to base + offset, the inverse of
// Decode (ReceivedPort fields excepted); frame bytes outside the fields are
// left as they are. A field that does not fit the writer is dropped.
void Encode(FieldLayout layout, const uint8_t* record, FrameWriter& frame, size_t base = 0);

}  // namespace korven
