#include "core/text_fields.h"

#include <algorithm>
#include <cstring>

namespace korven {

void StoreText(char* field, size_t fieldSize, const char* text, size_t maxChars) {
    std::memset(field, 0, fieldSize);
    const size_t limit = std::min(maxChars, fieldSize);
    for (size_t i = 0; i < limit && text[i] != '\0'; ++i) field[i] = text[i];
}

void CopyField(char* out, int size, const char* field, size_t fieldSize) {
    if (size <= 0) return;
    std::memcpy(out, field, std::min(static_cast<size_t>(size), fieldSize));
}

}  // namespace korven
