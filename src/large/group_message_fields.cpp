#include "large/group_message_fields.h"

#include <cstring>

#include "core/frame_text_log.h"

namespace korven {

std::string FieldText(const void* field, size_t width) {
    const char* text = static_cast<const char*>(field);
    return FrameTextForLog(text, strnlen(text, width));
}

}  // namespace korven
