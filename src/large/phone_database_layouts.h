// Phone database 0 as the application sees it: a byte layout per system
// type, declared once as a field table. LARGE_PHONE_DB0 decodes a frame
// through it; KORVEN_WidePhoneDB0 encodes the application's layout back
// through it over the payload the PBX last sent.
#pragma once

#include <cstddef>
#include <cstdint>

#include "large/field_layout.h"
#include "transport/frame_reader.h"

class CKorvenSignalLibApp;

namespace korven {

// Where the payload starts in the frame; field offsets count from b0.
constexpr size_t kPhoneDb0PayloadPos = 12;

struct PhoneDb0Format {
    FieldLayout fields;
    size_t layoutSize;   // bytes of the application's layout: 246, or 105 on IAP
    size_t payloadSize;  // payload bytes kept from b12: 200, or 144 on IAP
};

// The format of system type KORVENHOST (iap false) or IAP (iap true).
const PhoneDb0Format& PhoneDb0FormatOf(bool iap);

// Writes frame bytes b12 onwards of an outgoing phone database 0 of the
// given system type: the payload last received for it (zeros before any),
// with the fields of layout (format.layoutSize bytes) encoded over it. The
// frame must have room for 12 + payloadSize bytes. Takes the record lock.
void WritePhoneDb0Payload(const CKorvenSignalLibApp& app, bool iap, const uint8_t* layout, FrameWriter& frame);

}  // namespace korven
