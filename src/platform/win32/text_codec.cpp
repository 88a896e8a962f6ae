#include "platform/text_codec.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <string>

namespace korven::platform {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 is wchar_t on Windows");

constexpr LANGID kRussian = 0x0419;
// Room for the longest character of any code page, surrogate pairs included.
constexpr int kLongestCharacter = 8;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// WideCharToMultiByte fails whole on a buffer that is too small, so a text
// that does not fit goes over one character at a time and stops at the
// first that does not fit. Returns the bytes written, without terminator.
size_t WholeCharactersThatFit(unsigned codePage, const char16_t* text, char* out, size_t room) {
    size_t used = 0;
    for (size_t i = 0; text[i] != 0;) {
        const int units = IsHighSurrogate(text[i]) && IsLowSurrogate(text[i + 1]) ? 2 : 1;
        char character[kLongestCharacter];
        const int bytes = WideCharToMultiByte(codePage, 0, reinterpret_cast<LPCWCH>(text + i), units, character,
                                              sizeof character, nullptr, nullptr);
        if (bytes <= 0 || used + static_cast<size_t>(bytes) > room) break;
        std::memcpy(out + used, character, static_cast<size_t>(bytes));
        used += static_cast<size_t>(bytes);
        i += static_cast<size_t>(units);
    }
    return used;
}

}  // namespace

unsigned UserNarrowCodePage() { return GetUserDefaultLangID() == kRussian ? kCodePageKoi8R : GetACP(); }

size_t NarrowToWide(unsigned codePage, const uint8_t* text, size_t count, char16_t* out, size_t capacity) {
    if (count == 0 || count > INT_MAX || capacity > INT_MAX) return 0;
    const int units = MultiByteToWideChar(codePage, 0, reinterpret_cast<LPCCH>(text), static_cast<int>(count),
                                          reinterpret_cast<LPWSTR>(out), static_cast<int>(capacity));
    return units > 0 ? static_cast<size_t>(units) : 0;
}

// One call for the whole text, the usual case; character by character only
// when it does not fit.
size_t WideToNarrow(unsigned codePage, const char16_t* text, char* out, size_t capacity) {
    const size_t room = capacity - 1;
    const size_t units = std::char_traits<char16_t>::length(text);
    int bytes = 0;
    if (units > 0 && units <= INT_MAX && room > 0 && room <= INT_MAX) {
        bytes = WideCharToMultiByte(codePage, 0, reinterpret_cast<LPCWCH>(text), static_cast<int>(units), out,
                                    static_cast<int>(room), nullptr, nullptr);
    }
    const size_t used = bytes > 0 ? static_cast<size_t>(bytes) : WholeCharactersThatFit(codePage, text, out, room);
    out[used] = '\0';
    return used;
}

}  // namespace korven::platform
