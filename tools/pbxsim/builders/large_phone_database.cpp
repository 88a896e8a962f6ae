#include "large_phone_database.h"

namespace korven::pbxsim {
namespace {

constexpr uint8_t kPhoneDb0Id = 9;

FrameBuilder PatternFrame(System system, size_t length) {
    FrameBuilder frame(system, kClassLarge, kPhoneDb0Id);
    Bytes payload(length - kHeaderSize);
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>((kHeaderSize + i) & 0x7F);
    frame.SetBytes(kHeaderSize, payload);
    return frame;
}

// Digits as the frame carries them one per byte: '7' travels as 7.
Bytes DigitBytes(const std::string& digits) {
    Bytes bytes;
    for (const char c : digits) bytes.push_back(static_cast<uint8_t>(c - '0'));
    return bytes;
}

}  // namespace

Bytes LargePhoneDb0(const KorvenhostPhoneDb0Fields& fields) {
    FrameBuilder frame = PatternFrame(System::KorvenHost, 212);
    frame.SetBytes(12, DigitBytes(fields.station));
    frame.SetBytes(28, BcdBytes(fields.extension, 4));
    for (size_t k = 0; k < fields.numbers.size(); ++k) frame.SetBytes(49 + 11 * k, BcdBytes(fields.numbers[k], 11));
    for (size_t k = 0; k < fields.shortNumbers.size(); ++k) {
        frame.SetBytes(104 + 4 * k, BcdBytes(fields.shortNumbers[k], 4));
    }
    frame.SetBytes(188, {fields.b188, fields.b189});
    frame.SetBytes(196, Be16Bytes(fields.rtpPort));
    frame.SetBytes(198, Be16Bytes(fields.videoPort));
    return frame.Frame();
}

Bytes LargePhoneDb0(const IapPhoneDb0Fields& fields) {
    FrameBuilder frame = PatternFrame(System::Iap, 156);
    frame.SetBytes(12, BcdBytes(fields.extension, 4));
    frame.SetBytes(20, DigitBytes(fields.station));
    for (size_t k = 0; k < fields.numbers.size(); ++k) frame.SetBytes(51 + 12 * k, BcdBytes(fields.numbers[k], 11));
    frame.SetBytes(87, {fields.b87, fields.b88});
    return frame.Frame();
}

}  // namespace korven::pbxsim
