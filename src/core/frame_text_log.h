// Text that arrived in a frame, made fit for one line of the log.
#pragma once

#include <cstddef>
#include <string>

namespace korven {

// The length bytes of text, each carriage return or line feed written as the
// two characters \r or \n, so that a frame cannot begin a log line of its
// own; every other byte is kept as it is.
std::string FrameTextForLog(const char* text, size_t length);

}  // namespace korven
