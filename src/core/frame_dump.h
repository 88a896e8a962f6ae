// Hexadecimal dumps of frames sent and received, for the diagnostic log.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korven {

enum class FrameDirection { Send, LinkTestSend, Receive };

// Writes "=>SEND[...]" or "<-RECV[...]": a title by class and id, then every
// byte as "%02x " with "| " between header and payload. A sent frame is
// dumped over length bytes; a received one over its header's total length,
// never past the length bytes actually there. Nothing is built while no
// line can be written (level 0, or no log file).
void LogFrame(FrameDirection direction, const uint8_t* frame, size_t length);

}  // namespace korven
