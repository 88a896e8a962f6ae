// The message of one log line built without printf, for the lines written
// for every frame, where printf would cost more than the decoding: at most
// kLogMessageLimit characters, what goes beyond is cut.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "core/diagnostic_log.h"

namespace korven {

class LogText {
public:
    bool Full() const { return used_ >= kLogMessageLimit; }
    const char* data() const { return text_; }
    size_t size() const { return used_ < kLogMessageLimit ? used_ : kLogMessageLimit; }

    void Append(const char* text, size_t length);
    void Append(const char* text);
    void Fill(char c, size_t count);
    // "%-Ns": the text, then blanks up to the width.
    void LeftAligned(const char* text, size_t width);
    // "%Nd", or "%-Nd" when left.
    void Number(long long value, size_t width = 0, bool left = false);
    // "%02x " of each byte.
    void Hex(const uint8_t* bytes, size_t count);
    // Appends format with its arguments as vsnprintf would, when every
    // conversion is %d, %i, %u, %x, %X, %c or %s with at most the flags '-'
    // and '0' and a width, or a bare %%: the form of the library's lines.
    // Returns false at the first other conversion, the text then unfinished
    // and the arguments partly taken.
    bool AppendFormat(const char* format, va_list arguments);

private:
    // Room for the widest piece appended unchecked beyond the limit.
    static constexpr size_t kSlack = 8;
    char text_[kLogMessageLimit + kSlack];
    size_t used_ = 0;
};

}  // namespace korven
