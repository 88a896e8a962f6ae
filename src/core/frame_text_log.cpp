#include "core/frame_text_log.h"

namespace korven {

std::string FrameTextForLog(const char* text, size_t length) {
    std::string shown;
    shown.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        const char byte = text[i];
        if (byte == '\r') {
            shown += "\\r";
        } else if (byte == '\n') {
            shown += "\\n";
        } else {
            shown += byte;
        }
    }
    return shown;
}

}  // namespace korven
