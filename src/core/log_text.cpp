#include "core/log_text.h"

#include <algorithm>
#include <cstring>

namespace korven {
namespace {

// One "%[-0][width]kind" of a format.
struct Conversion {
    bool left = false;
    bool zero = false;
    size_t width = 0;
    char kind = 0;
    const char* end = nullptr;  // behind the kind
};

constexpr char kLowerDigits[] = "0123456789abcdef";
constexpr char kUpperDigits[] = "0123456789ABCDEF";
// Wider fields are left to vsnprintf.
constexpr size_t kWidestField = 99;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the conversion that begins at percent; false for one that
// AppendFormat leaves to vsnprintf.
bool ReadConversion(const char* percent, Conversion& conversion) {
    const char* at = percent + 1;
    for (;; ++at) {
        if (*at == '-')
            conversion.left = true;
        else if (*at == '0')
            conversion.zero = true;
        else
            break;
    }
    for (; IsDigit(*at) && conversion.width <= kWidestField; ++at) {
        conversion.width = conversion.width * 10 + static_cast<size_t>(*at - '0');
    }
    conversion.kind = *at;
    conversion.end = at + 1;
    if (conversion.width > kWidestField) return false;
    if (conversion.kind == '%') return at == percent + 1;
    switch (conversion.kind) {
        case 's':
        case 'c':
            return !conversion.zero;
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
            return true;
        default:
            return false;
    }
}

void Padded(LogText& out, const char* text, size_t length, const Conversion& conversion) {
    const size_t padding = conversion.width > length ? conversion.width - length : 0;
    if (!conversion.left) out.Fill(' ', padding);
    out.Append(text, length);
    if (conversion.left) out.Fill(' ', padding);
}

void Integer(LogText& out, unsigned long long magnitude, bool negative, const Conversion& conversion) {
    const bool hex = conversion.kind == 'x' || conversion.kind == 'X';
    const char* digitSet = conversion.kind == 'X' ? kUpperDigits : kLowerDigits;
    const unsigned base = hex ? 16 : 10;
    char digits[24];
    size_t count = 0;
    do {
        digits[sizeof digits - ++count] = digitSet[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0);
    const size_t length = count + (negative ? 1 : 0);
    const size_t padding = conversion.width > length ? conversion.width - length : 0;
    const bool zeros = conversion.zero && !conversion.left;
    if (!conversion.left && !zeros) out.Fill(' ', padding);
    if (negative) out.Append("-", 1);
    if (zeros) out.Fill('0', padding);
    out.Append(digits + sizeof digits - count, count);
    if (conversion.left) out.Fill(' ', padding);
}

}  // namespace

void LogText::Append(const char* text, size_t length) {
    const size_t taken = std::min(length, sizeof text_ - used_);
    std::memcpy(text_ + used_, text, taken);
    used_ += taken;
}

void LogText::Append(const char* text) { Append(text, std::strlen(text)); }

void LogText::Fill(char c, size_t count) {
    const size_t taken = std::min(count, sizeof text_ - used_);
    std::memset(text_ + used_, c, taken);
    used_ += taken;
}

void LogText::LeftAligned(const char* text, size_t width) {
    Conversion conversion;
    conversion.left = true;
    conversion.width = width;
    Padded(*this, text, std::strlen(text), conversion);
}

void LogText::Number(long long value, size_t width, bool left) {
    Conversion conversion;
    conversion.left = left;
    conversion.width = width;
    conversion.kind = 'd';
    const auto magnitude =
        value < 0 ? 0 - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    Integer(*this, magnitude, value < 0, conversion);
}

void LogText::Hex(const uint8_t* bytes, size_t count) {
    // "00 " to "ff " of every byte value, looked up whole.
    static const struct HexTable {
        char text[256][3];
        HexTable() : text{} {
            for (int value = 0; value < 256; ++value) {
                text[value][0] = kLowerDigits[value >> 4];
                text[value][1] = kLowerDigits[value & 0x0F];
                text[value][2] = ' ';
            }
        }
    } kHex;
    // Every byte that starts below the limit shows, three characters each.
    const size_t room = Full() ? 0 : (kLogMessageLimit - used_ + 2) / 3;
    char* at = text_ + used_;
    for (const uint8_t* end = bytes + std::min(count, room); bytes != end; ++bytes, at += 3) {
        std::memcpy(at, kHex.text[*bytes], 3);
    }
    used_ = static_cast<size_t>(at - text_);
}

bool LogText::AppendFormat(const char* format, va_list arguments) {
    for (const char* at = format; !Full();) {
        const char* percent = std::strchr(at, '%');
        if (percent == nullptr) {
            Append(at);
            break;
        }
        Append(at, static_cast<size_t>(percent - at));
        Conversion conversion;
        if (!ReadConversion(percent, conversion)) return false;
        switch (conversion.kind) {
            case 'd':
            case 'i': {
                const long long value = va_arg(arguments, int);
                Integer(*this, static_cast<unsigned long long>(value < 0 ? -value : value), value < 0, conversion);
                break;
            }
            case 'u':
            case 'x':
            case 'X':
                Integer(*this, va_arg(arguments, unsigned), false, conversion);
                break;
            case 'c': {
                const char c = static_cast<char>(va_arg(arguments, int));
                Padded(*this, &c, 1, conversion);
                break;
            }
            case 's': {
                const char* text = va_arg(arguments, const char*);
                if (text == nullptr) text = "(null)";
                Padded(*this, text, std::strlen(text), conversion);
                break;
            }
            default:
                Append("%", 1);
                break;
        }
        at = conversion.end;
    }
    return true;
}

}  // namespace korven
