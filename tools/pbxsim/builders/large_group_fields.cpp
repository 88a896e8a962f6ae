#include "pbxsim/builders/large_group_fields.h"

#include <algorithm>

#include "transport/bcd_digits.h"

namespace korven::pbxsim {

Bytes BcdBytes(const std::string& digits, size_t width) {
    Bytes field(width);
    EncodeBcdDigits(field.data(), width, digits.c_str());
    return field;
}

Bytes TextBytes(const std::string& text, size_t width) {
    Bytes field(width, 0);
    std::copy_n(text.begin(), std::min(text.size(), width), field.begin());
    return field;
}

Bytes Be16Bytes(uint16_t value) { return {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)}; }

Bytes WithTotalLength(Bytes frame, size_t total) {
    frame.resize(std::max(total, kHeaderSize), 0);
    frame[4] = static_cast<uint8_t>(total >> 8);
    frame[5] = static_cast<uint8_t>(total & 0xFF);
    return frame;
}

Bytes LargeNotice(System system, uint8_t id) { return FrameBuilder(system, kClassLarge, id).Frame(); }

}  // namespace korven::pbxsim
