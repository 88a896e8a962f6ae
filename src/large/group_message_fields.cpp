#include "large/group_message_fields.h"

#include <cstring>

namespace korven {

std::string FieldText(const void* field, size_t width) {
    const char* text = static_cast<const char*>(field);
    return std::string(text, strnlen(text, width));
}

}  // namespace korven
