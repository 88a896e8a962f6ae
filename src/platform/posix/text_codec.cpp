// POSIX has no ANSI code page: the code page is the one Windows gives the
// user's language, and iconv converts.
#include "platform/text_codec.h"
#include "platform/posix/text_converters.h"

#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace korven::platform {
namespace {

struct LanguageCodePage {
    const char* language;
    const char* territory;  // must match when given
    const char* modifier;   // must match when given
    unsigned codePage;
};

// The first row that matches the user's locale wins; everything else is
// Western (1252).
constexpr LanguageCodePage kLanguageCodePages[] = {
    {"ru", nullptr, nullptr, kCodePageKoi8R},
    {"ko", nullptr, nullptr, 949},
    {"ja", nullptr, nullptr, 932},
    {"zh", "TW", nullptr, 950},
    {"zh", "HK", nullptr, 950},
    {"zh", "MO", nullptr, 950},
    {"zh", nullptr, nullptr, 936},
    {"sr", nullptr, "latin", 1250},
    {"uz", nullptr, "cyrillic", 1251},
    {"cs", nullptr, nullptr, 1250},
    {"hu", nullptr, nullptr, 1250},
    {"pl", nullptr, nullptr, 1250},
    {"ro", nullptr, nullptr, 1250},
    {"sk", nullptr, nullptr, 1250},
    {"sl", nullptr, nullptr, 1250},
    {"hr", nullptr, nullptr, 1250},
    {"bs", nullptr, nullptr, 1250},
    {"sq", nullptr, nullptr, 1250},
    {"sr", nullptr, nullptr, 1251},
    {"uk", nullptr, nullptr, 1251},
    {"be", nullptr, nullptr, 1251},
    {"bg", nullptr, nullptr, 1251},
    {"mk", nullptr, nullptr, 1251},
    {"kk", nullptr, nullptr, 1251},
    {"ky", nullptr, nullptr, 1251},
    {"mn", nullptr, nullptr, 1251},
    {"tt", nullptr, nullptr, 1251},
    {"tg", nullptr, nullptr, 1251},
    {"el", nullptr, nullptr, 1253},
    {"tr", nullptr, nullptr, 1254},
    {"az", nullptr, nullptr, 1254},
    {"uz", nullptr, nullptr, 1254},
    {"he", nullptr, nullptr, 1255},
    {"iw", nullptr, nullptr, 1255},
    {"yi", nullptr, nullptr, 1255},
    {"ar", nullptr, nullptr, 1256},
    {"fa", nullptr, nullptr, 1256},
    {"ur", nullptr, nullptr, 1256},
    {"ug", nullptr, nullptr, 1256},
    {"et", nullptr, nullptr, 1257},
    {"lv", nullptr, nullptr, 1257},
    {"lt", nullptr, nullptr, 1257},
    {"vi", nullptr, nullptr, 1258},
    {"th", nullptr, nullptr, 874},
};
constexpr unsigned kWesternCodePage = 1252;

struct CodePageName {
    unsigned codePage;
    const char* iconvName;
};

constexpr CodePageName kIconvNames[] = {
    {874, "CP874"},   {932, "CP932"},   {936, "CP936"},   {949, "CP949"},   {950, "CP950"},
    {1250, "CP1250"}, {1251, "CP1251"}, {1252, "CP1252"}, {1253, "CP1253"}, {1254, "CP1254"},
    {1255, "CP1255"}, {1256, "CP1256"}, {1257, "CP1257"}, {1258, "CP1258"}, {kCodePageKoi8R, "KOI8-R"},
};

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
constexpr const char* kUtf16 = "UTF-16BE";
#else
constexpr const char* kUtf16 = "UTF-16LE";
#endif

constexpr char16_t kReplacementCharacter = 0xFFFD;
constexpr size_t kUnitBytes = sizeof(char16_t);

// "language_TERRITORY.codeset@modifier", every part but the language optional.
struct LocaleName {
    std::string language, territory, modifier;
};

LocaleName ParseLocale(const std::string& name) {
    LocaleName parsed;
    const size_t at = name.find('@');
    if (at != std::string::npos) parsed.modifier = name.substr(at + 1);
    const std::string base = name.substr(0, std::min(at, name.find('.')));
    const size_t underscore = base.find('_');
    parsed.language = base.substr(0, underscore);
    if (underscore != std::string::npos) parsed.territory = base.substr(underscore + 1);
    return parsed;
}

// The locale that governs character classification, by POSIX precedence:
// LC_ALL, LC_CTYPE, then LANG, where an empty value does not count. Read on
// every conversion, so one pass over the environment finds all three.
const char* UserLocale() {
    constexpr std::string_view kVariables[] = {"LC_ALL=", "LC_CTYPE=", "LANG="};
    const char* values[std::size(kVariables)] = {};
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        // All three begin with 'L'; most variables are passed over at once.
        if (**entry != 'L') continue;
        for (size_t i = 0; i < std::size(kVariables); ++i) {
            const size_t length = kVariables[i].size();
            if (values[i] == nullptr && std::strncmp(*entry, kVariables[i].data(), length) == 0 &&
                (*entry)[length] != '\0') {
                values[i] = *entry + length;
            }
        }
    }
    for (const char* value : values) {
        if (value != nullptr) return value;
    }
    return "";
}

bool Matches(const LanguageCodePage& row, const LocaleName& locale) {
    return locale.language == row.language && (row.territory == nullptr || locale.territory == row.territory) &&
           (row.modifier == nullptr || locale.modifier == row.modifier);
}

const char* IconvName(unsigned codePage) {
    for (const CodePageName& entry : kIconvNames) {
        if (entry.codePage == codePage) return entry.iconvName;
    }
    return nullptr;
}

// An iconv descriptor from one character set to another; invalid when
// either side is unknown.
class Converter {
public:
    Converter(const char* to, const char* from)
        : to_(to), from_(from), handle_(to != nullptr && from != nullptr ? iconv_open(to, from) : Invalid()) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Converts(const char* to, const char* from) const { return to == to_ && from == from_; }
    bool valid() const { return handle_ != Invalid(); }
    // Back to the initial state, whatever an earlier conversion left.
    void Reset() { iconv(handle_, nullptr, nullptr, nullptr, nullptr); }
    // One iconv step; false with errno set when it stopped early.
    bool Step(char** in, size_t* inLeft, char** out, size_t* outLeft) {
        return iconv(handle_, in, inLeft, out, outLeft) != static_cast<size_t>(-1);
    }
    // Ends the conversion: a code page that holds back its last character
    // (1258 waits for combining marks) writes it now.
    bool Flush(char** out, size_t* outLeft) { return Step(nullptr, nullptr, out, outLeft); }

private:
    static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }
    const char* to_;
    const char* from_;
    iconv_t handle_;
};

// Opening a descriptor costs more than a whole display repaint, so used
// ones are kept, reset before each use. A descriptor holds conversion state,
// so a conversion takes one out of the pool and puts it back after. The pool
// is shared rather than thread_local: a thread_local with a destructor would
// keep the dynamic loader from ever unloading the library. The names come
// from the tables above, so they are compared by address.
class ConverterPool {
public:
    std::unique_ptr<Converter> Take(const char* to, const char* from) {
        {
            std::lock_guard<std::mutex> guard(lock_);
            const auto found = std::find_if(idle_.begin(), idle_.end(),
                                            [&](const std::unique_ptr<Converter>& c) { return c->Converts(to, from); });
            if (found != idle_.end()) {
                std::unique_ptr<Converter> converter = std::move(*found);
                idle_.erase(found);
                if (converter->valid()) converter->Reset();
                return converter;
            }
        }
        return std::make_unique<Converter>(to, from);
    }
    void Give(std::unique_ptr<Converter> converter) {
        std::lock_guard<std::mutex> guard(lock_);
        idle_.push_back(std::move(converter));
    }
    void Clear() {
        std::lock_guard<std::mutex> guard(lock_);
        std::vector<std::unique_ptr<Converter>>().swap(idle_);
    }

private:
    std::mutex lock_;
    std::vector<std::unique_ptr<Converter>> idle_;
};

// In the library's own storage and never destroyed: a decoding thread may
// still convert while static destructors run at process exit. The unload
// hook empties it.
ConverterPool& ThePool() {
    alignas(ConverterPool) static unsigned char storage[sizeof(ConverterPool)];
    static ConverterPool* const pool = new (storage) ConverterPool;
    return *pool;
}

// One conversion's use of a pooled descriptor.
class PooledConverter {
public:
    PooledConverter(const char* to, const char* from) : converter_(ThePool().Take(to, from)) {}
    ~PooledConverter() { ThePool().Give(std::move(converter_)); }
    PooledConverter(const PooledConverter&) = delete;
    PooledConverter& operator=(const PooledConverter&) = delete;
    Converter* operator->() const { return converter_.get(); }

private:
    std::unique_ptr<Converter> converter_;
};

char16_t UnitAt(const char* bytes) {
    char16_t unit;
    std::memcpy(&unit, bytes, kUnitBytes);
    return unit;
}

// Bytes of the UTF-16 character at `in`: a surrogate pair counts as one.
size_t CharacterBytes(const char* in, size_t inLeft) {
    const bool high = UnitAt(in) >= 0xD800 && UnitAt(in) <= 0xDBFF;
    if (!high || inLeft < 2 * kUnitBytes) return kUnitBytes;
    const char16_t next = UnitAt(in + kUnitBytes);
    return next >= 0xDC00 && next <= 0xDFFF ? 2 * kUnitBytes : kUnitBytes;
}

size_t UnitsOfUnterminated(const char16_t* text) {
    size_t units = 0;
    while (text[units] != 0) ++units;
    return units;
}

}  // namespace

unsigned UserNarrowCodePage() {
    // The locale is read afresh every time; only its code page is kept, for
    // as long as the text stays the same. Plain arrays: a thread_local with
    // a destructor would pin the library in memory.
    thread_local char lastLocale[64] = "";
    thread_local unsigned lastCodePage = 0;
    const char* locale = UserLocale();
    if (lastCodePage != 0 && std::strcmp(lastLocale, locale) == 0) return lastCodePage;
    const LocaleName parsed = ParseLocale(locale);
    const auto row = std::find_if(std::begin(kLanguageCodePages), std::end(kLanguageCodePages),
                                  [&parsed](const LanguageCodePage& candidate) { return Matches(candidate, parsed); });
    const unsigned codePage = row != std::end(kLanguageCodePages) ? row->codePage : kWesternCodePage;
    if (std::strlen(locale) < sizeof lastLocale) {
        std::strcpy(lastLocale, locale);
        lastCodePage = codePage;
    } else {
        lastCodePage = 0;  // too long to keep: looked up again next time
    }
    return codePage;
}

size_t NarrowToWide(unsigned codePage, const uint8_t* text, size_t count, char16_t* out, size_t capacity) {
    if (count == 0) return 0;
    const PooledConverter converter(kUtf16, IconvName(codePage));
    if (!converter->valid()) return 0;
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text));
    size_t inLeft = count;
    char* written = reinterpret_cast<char*>(out);
    size_t outLeft = capacity * kUnitBytes;
    while (!converter->Step(&in, &inLeft, &written, &outLeft)) {
        if (errno == E2BIG || outLeft < kUnitBytes) return 0;
        // A byte that begins no character, or an unfinished one at the end.
        std::memcpy(written, &kReplacementCharacter, kUnitBytes);
        written += kUnitBytes;
        outLeft -= kUnitBytes;
        ++in;
        --inLeft;
    }
    if (!converter->Flush(&written, &outLeft)) return 0;
    return capacity - outLeft / kUnitBytes;
}

size_t WideToNarrow(unsigned codePage, const char16_t* text, char* out, size_t capacity) {
    const PooledConverter converter(IconvName(codePage), kUtf16);
    char* written = out;
    size_t outLeft = capacity - 1;
    if (converter->valid()) {
        char* in = const_cast<char*>(reinterpret_cast<const char*>(text));
        size_t inLeft = UnitsOfUnterminated(text) * kUnitBytes;
        // iconv stops before a character that does not fit whole (E2BIG).
        while (!converter->Step(&in, &inLeft, &written, &outLeft) && errno != E2BIG && outLeft > 0) {
            // A character the code page lacks, or a lone surrogate.
            *written++ = '?';
            --outLeft;
            const size_t skipped = CharacterBytes(in, inLeft);
            in += skipped;
            inLeft -= skipped;
        }
        converter->Flush(&written, &outLeft);
    }
    *written = '\0';
    return static_cast<size_t>(written - out);
}

}  // namespace korven::platform

namespace korven::platform::posix {

void ReleaseTextConverters() { ThePool().Clear(); }

}  // namespace korven::platform::posix
