#include "pbxsim/pbx_frames.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "transport/bcd_digits.h"
#include "transport/catalogues.h"

namespace korven::pbxsim {
namespace {

template <size_t N>
constexpr size_t CountOf(const FieldDef (&)[N]) {
    return N;
}

constexpr FieldDef kInitialEndFields[] = {{"Id", 12, 1, Codec::Byte}};

constexpr FieldDef kVersCheckKorvenHostFields[] = {
    {"Result", 12, 1, Codec::Byte},      {"Digits", 22, 4, Codec::Bcd},      {"RealPort", 32, 2, Codec::Be16},
    {"CountryCode", 34, 2, Codec::Be16}, {"SignalType", 36, 1, Codec::Byte},
};

// The IAP answer is the 68-byte registration record, frame bytes 12 to 79.
constexpr FieldDef kVersCheckIapFields[] = {
    {"Record", 12, 68, Codec::Hex},        {"Digits", 22, 4, Codec::Bcd},         {"CountryCode", 34, 2, Codec::Le16},
    {"AliveLinkTime", 36, 2, Codec::Be16}, {"KeepAliveByte", 38, 1, Codec::Byte}, {"SignalType", 39, 1, Codec::Byte},
    {"Result", 42, 1, Codec::Byte},        {"StationTag", 44, 2, Codec::Be16},    {"Address", 64, 16, Codec::Text},
};

constexpr MessageDef kMessages[] = {
    {"LARGE_INITIAL_END", kClassLarge, 0, true, true, 13, kInitialEndFields, CountOf(kInitialEndFields)},
    {"LARGE_VERS_CHECK", kClassLarge, 1, true, false, 37, kVersCheckKorvenHostFields,
     CountOf(kVersCheckKorvenHostFields)},
    {"LARGE_VERS_CHECK", kClassLarge, 1, false, true, 80, kVersCheckIapFields, CountOf(kVersCheckIapFields)},
};

// Route bytes 6 to 9 of the PBX's frames.
constexpr uint8_t kRouteKorvenHost[4] = {0x06, 0x10, 0x10, 0x11};
constexpr uint8_t kRouteIap[4] = {0x07, 0x8B, 0x10, 0x11};

struct CatalogueRef {
    uint8_t messageClass;
    int size;
    const char* (*name)(int);
};
constexpr CatalogueRef kCatalogues[] = {
    {kClassNormal, kNormalCatalogueSize, NormalMessageName},
    {kClassLarge, kLargeCatalogueSize, LargeMessageName},
    {kClassWide, kWideCatalogueSize, WideMessageName},
    {kClassWideShort, kWideCatalogueSize, WideMessageName},
};

bool ParseNumber(std::string_view text, uint32_t& value) {
    const std::string copy(text);
    if (copy.empty()) return false;
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(copy.c_str(), &end, 0);
    if (end == nullptr || *end != '\0' || parsed > 0xFFFFFFFFul) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

}  // namespace

const MessageDef* FindMessage(std::string_view name, System system) {
    for (const MessageDef& message : kMessages) {
        const bool forSystem = system == System::Iap ? message.iap : message.korvenHost;
        if (forSystem && name == message.name) return &message;
    }
    return nullptr;
}

bool LookUpMessageId(std::string_view name, uint8_t& messageClass, uint8_t& id) {
    for (const CatalogueRef& catalogue : kCatalogues) {
        for (int i = 0; i < catalogue.size; ++i) {
            if (name == catalogue.name(i)) {
                messageClass = catalogue.messageClass;
                id = static_cast<uint8_t>(i);
                return true;
            }
        }
    }
    return false;
}

std::string MessageName(uint8_t messageClass, uint8_t id) {
    for (const CatalogueRef& catalogue : kCatalogues) {
        if (catalogue.messageClass == messageClass && id < catalogue.size) return catalogue.name(id);
    }
    char text[32];
    std::snprintf(text, sizeof text, "class 0x%02x id %d", messageClass, id);
    return text;
}

Bytes MakeFrame(System system, uint8_t messageClass, uint8_t id, size_t length) {
    Bytes frame(std::max(length, kHeaderSize), 0);
    const uint8_t* route = system == System::Iap ? kRouteIap : kRouteKorvenHost;
    frame[0] = 0x7E;
    frame[1] = 0x80;
    frame[2] = 0xFF;
    frame[3] = 0xFF;
    std::copy(route, route + 4, frame.begin() + 6);
    frame[10] = messageClass;
    frame[11] = id;
    return frame;
}

FrameBuilder::FrameBuilder(const MessageDef& message, System system)
    : message_(&message), frame_(MakeFrame(system, message.messageClass, message.id, message.length)) {}

FrameBuilder::FrameBuilder(System system, uint8_t messageClass, uint8_t id)
    : frame_(MakeFrame(system, messageClass, id, kHeaderSize)) {}

const FieldDef* FrameBuilder::Find(std::string_view field) const {
    if (message_ == nullptr) return nullptr;
    const FieldDef* end = message_->fields + message_->fieldCount;
    const FieldDef* found =
        std::find_if(message_->fields, end, [field](const FieldDef& def) { return field == def.name; });
    return found != end ? found : nullptr;
}

bool FrameBuilder::Set(std::string_view field, uint32_t value) {
    const FieldDef* def = Find(field);
    if (def == nullptr) return false;
    uint8_t* at = frame_.data() + def->offset;
    switch (def->codec) {
        case Codec::Byte:
            if (value > 0xFF) return false;
            at[0] = static_cast<uint8_t>(value);
            return true;
        case Codec::Be16:
        case Codec::Le16: {
            if (value > 0xFFFF) return false;
            const uint8_t high = static_cast<uint8_t>(value >> 8), low = static_cast<uint8_t>(value);
            at[0] = def->codec == Codec::Be16 ? high : low;
            at[1] = def->codec == Codec::Be16 ? low : high;
            return true;
        }
        default:
            return false;
    }
}

bool FrameBuilder::SetText(std::string_view field, std::string_view text) {
    const FieldDef* def = Find(field);
    if (def == nullptr) return false;
    uint8_t* at = frame_.data() + def->offset;
    const std::string copy(text);
    switch (def->codec) {
        case Codec::Bcd:
            EncodeBcdDigits(at, def->width, copy.c_str());
            return true;
        case Codec::Text:
            std::fill_n(at, def->width, uint8_t{0});
            std::copy_n(copy.begin(), std::min<size_t>(copy.size(), def->width), at);
            return true;
        default:
            return false;
    }
}

bool FrameBuilder::SetFromText(std::string_view field, std::string_view value) {
    const FieldDef* def = Find(field);
    if (def == nullptr) return false;
    switch (def->codec) {
        case Codec::Bcd:
        case Codec::Text:
            return SetText(field, value);
        case Codec::Hex: {
            Bytes bytes;
            if (!ParseHex(value, bytes) || bytes.size() > def->width) return false;
            std::copy(bytes.begin(), bytes.end(), frame_.begin() + def->offset);
            return true;
        }
        default: {
            uint32_t number = 0;
            return ParseNumber(value, number) && Set(field, number);
        }
    }
}

void FrameBuilder::SetBytes(size_t offset, const Bytes& bytes) {
    if (frame_.size() < offset + bytes.size()) frame_.resize(offset + bytes.size(), 0);
    std::copy(bytes.begin(), bytes.end(), frame_.begin() + static_cast<std::ptrdiff_t>(offset));
}

Bytes FrameBuilder::Frame() const {
    Bytes frame = frame_;
    frame[4] = static_cast<uint8_t>(frame.size() >> 8);
    frame[5] = static_cast<uint8_t>(frame.size());
    return frame;
}

bool ParseHex(std::string_view text, Bytes& bytes) {
    bytes.clear();
    int high = -1;
    for (const char c : text) {
        if (c == ' ' || c == ':' || c == '\t' || c == ',') {
            if (high >= 0) return false;
            continue;
        }
        const int nibble = HexValue(c);
        if (nibble < 0) return false;
        if (high < 0) {
            high = nibble;
        } else {
            bytes.push_back(static_cast<uint8_t>(high << 4 | nibble));
            high = -1;
        }
    }
    return high < 0;
}

std::string ToHex(const Bytes& bytes) {
    std::string text;
    char digits[4];
    for (const uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02x ", byte);
        text += digits;
    }
    if (!text.empty()) text.pop_back();
    return text;
}

Bytes BuildVersCheck(System system, const RegistrationAnswer& answer) {
    FrameBuilder builder(*FindMessage("LARGE_VERS_CHECK", system), system);
    builder.Set("Result", answer.result);
    builder.SetText("Digits", answer.digits);
    builder.Set("CountryCode", answer.countryCode);
    builder.Set("SignalType", answer.signalType);
    if (system == System::KorvenHost) {
        builder.Set("RealPort", answer.realPort);
    } else {
        builder.Set("AliveLinkTime", answer.aliveLinkTime);
        builder.Set("KeepAliveByte", answer.keepAliveByte);
        builder.Set("StationTag", static_cast<uint32_t>(answer.stationTag[0] << 8 | answer.stationTag[1]));
        builder.SetText("Address", answer.iapAddress);
    }
    return builder.Frame();
}

Bytes BuildInitialEnd(System system, const RegistrationAnswer& answer) {
    FrameBuilder builder(*FindMessage("LARGE_INITIAL_END", system), system);
    builder.Set("Id", answer.initialEndId);
    return builder.Frame();
}

}  // namespace korven::pbxsim
