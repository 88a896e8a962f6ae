// The Normal messages (class 0x10) as the PBX sends them: the telephone's
// date, duration, mute, tones, rings, ring LED, paging, DSP values and the
// display command stream.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "pbxsim/pbx_frames.h"

namespace korven::pbxsim {

using Bytes = std::vector<uint8_t>;

// NORMAL_DGP_MSG codes that switch mute on and off.
constexpr uint8_t kMuteOnCode = 2;
constexpr uint8_t kMuteOffCode = 3;

// The messages that carry one value byte.
enum class NormalValue { Tone, BRing, BTone, Ring, RingLed, PageAll };

// NORMAL_DGP_DATE: the seven elements in b14-b20.
Bytes NormalDate(const std::array<uint8_t, 7>& elements, System system = System::KorvenHost);
// NORMAL_DURATION: the three elements in b13-b15.
Bytes NormalDuration(const std::array<uint8_t, 3>& elements, System system = System::KorvenHost);
// NORMAL_DGP_MSG: the count in b13, the codes from b14.
Bytes NormalDgpMsg(const Bytes& codes, System system = System::KorvenHost);
// The value in b13, for page-all in b12.
Bytes NormalValueMessage(NormalValue message, uint8_t value, System system = System::KorvenHost);
// NORMAL_DGPINST: no payload but b12.
Bytes NormalDgpInst(System system = System::KorvenHost);
// NORMAL_DSP_VALUE: the two values in b28 and b30.
Bytes NormalDspValue(uint8_t first, uint8_t second, System system = System::KorvenHost);
// NORMAL_DGP_LCD: the command stream from b13 (see display_painter.h).
Bytes NormalDgpLcd(const Bytes& stream, System system = System::KorvenHost);
// Any Normal id with the payload from b12, for ids the softphone ignores.
Bytes NormalFrame(uint8_t id, const Bytes& payload, System system = System::KorvenHost);

}  // namespace korven::pbxsim
