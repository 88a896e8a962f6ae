#include "pbxsim/builders/normal_messages.h"

namespace korven::pbxsim {
namespace {

struct ValueLayout {
    uint8_t id;
    size_t offset;
};

// In the order of NormalValue.
constexpr ValueLayout kValueLayouts[] = {
    {20, 13},  // Tone
    {22, 13},  // BRing
    {23, 13},  // BTone
    {24, 13},  // Ring
    {34, 13},  // RingLed
    {37, 12},  // PageAll
};

// The frame of id with `bytes` at `offset`; b12 up to offset stays zero.
Bytes NormalWith(System system, uint8_t id, size_t offset, const Bytes& bytes) {
    FrameBuilder frame(system, kClassNormal, id);
    frame.SetBytes(kHeaderSize, {0});
    frame.SetBytes(offset, bytes);
    return frame.Frame();
}

}  // namespace

Bytes NormalDate(const std::array<uint8_t, 7>& elements, System system) {
    return NormalWith(system, 15, 14, Bytes(elements.begin(), elements.end()));
}

Bytes NormalDuration(const std::array<uint8_t, 3>& elements, System system) {
    return NormalWith(system, 16, 13, Bytes(elements.begin(), elements.end()));
}

Bytes NormalDgpMsg(const Bytes& codes, System system) {
    Bytes payload = {static_cast<uint8_t>(codes.size())};
    payload.insert(payload.end(), codes.begin(), codes.end());
    return NormalWith(system, 18, 13, payload);
}

Bytes NormalValueMessage(NormalValue message, uint8_t value, System system) {
    const ValueLayout& layout = kValueLayouts[static_cast<size_t>(message)];
    // Both b12 and b13 travel, whichever of them carries the value.
    Bytes frame = NormalWith(system, layout.id, kHeaderSize, {0, 0});
    frame[layout.offset] = value;
    return frame;
}

Bytes NormalDgpInst(System system) { return NormalWith(system, 25, kHeaderSize, {0}); }

Bytes NormalDspValue(uint8_t first, uint8_t second, System system) {
    return NormalWith(system, 71, 28, {first, 0, second});
}

Bytes NormalDgpLcd(const Bytes& stream, System system) { return NormalWith(system, 19, 13, stream); }

Bytes NormalFrame(uint8_t id, const Bytes& payload, System system) {
    return NormalWith(system, id, kHeaderSize, payload);
}

}  // namespace korven::pbxsim
