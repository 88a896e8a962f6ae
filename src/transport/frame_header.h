// The 12-byte header shared by every frame between the library and the PBX.
#pragma once

#include <cstddef>
#include <cstdint>

#include "transport/frame_reader.h"

namespace korven {

constexpr size_t kHeaderSize = 12;

constexpr uint8_t kClassNormal = 0x10;     // PBX to library
constexpr uint8_t kClassLarge = 0x11;      // PBX to library
constexpr uint8_t kClassWide = 0x29;       // library to PBX
constexpr uint8_t kClassWideShort = 0x27;  // library to an IAP PBX, short form

// Incoming frames whose total length field exceeds this are dropped.
constexpr size_t kMaxIncomingFrame = 512;

// Header field positions.
constexpr size_t kStationTagPos = 2;
constexpr size_t kTotalLengthPos = 4;
constexpr size_t kClassPos = 10;
constexpr size_t kMessageIdPos = 11;

// Outgoing header forms: A every request to a KORVENHOST PBX; B the IAP
// short form; C IAP requests carrying the station tag; D the IAP phone start.
enum class HeaderForm { A, B, C, D };

// The tag an IAP PBX assigns, kept in the order its bytes arrived.
struct StationTag {
    uint8_t bytes[2];
};

// Writes a complete outgoing header into frame[0..11]. Forms A and D carry
// FF FF in place of the tag. totalLength counts the whole frame.
void WriteWideHeader(uint8_t* frame, HeaderForm form, StationTag tag, uint16_t totalLength, uint8_t messageId);

// Writes header bytes 0 to 10 with the tag in bytes 2-3 (high byte first)
// and a zero total length: route and class of form A, or of forms C/D when
// iap is set. The caller fills in the length, byte 11 and the payload.
void BuildWideHeader(uint8_t* frame, uint16_t tag, bool iap);

// The header fields the receive path acts on.
struct FrameHeaderView {
    uint16_t totalLength;
    uint8_t messageClass;
    uint8_t messageId;
};

// Reads the total length, class and id; fields not received read as 0.
FrameHeaderView ReadFrameHeader(const FrameReader& frame);

}  // namespace korven
