// Field encodings shared by the builders of the conference, indicator,
// text/SMS, media and system Large messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pbxsim/pbx_frames.h"

namespace korven::pbxsim {

using Bytes = std::vector<uint8_t>;

// digits packed two per byte into `width` bytes, 0xFF after the last digit.
Bytes BcdBytes(const std::string& digits, size_t width);
// text cut or zero-filled to `width` bytes.
Bytes TextBytes(const std::string& text, size_t width);
Bytes Be16Bytes(uint16_t value);

// The frame cut or zero-extended to `total` bytes, with b4-b5 saying so.
Bytes WithTotalLength(Bytes frame, size_t total);

// A Large message that carries nothing but its id.
Bytes LargeNotice(System system, uint8_t id);

}  // namespace korven::pbxsim
