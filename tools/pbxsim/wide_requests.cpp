#include "pbxsim/wide_requests.h"

#include <cstdio>

#include "transport/bcd_digits.h"
#include "transport/catalogues.h"

namespace korven::pbxsim {
namespace {

// How a field's bytes are shown.
enum class Show {
    Byte,     // decimal
    Hex,      // 0x and two hex digits a byte
    Bcd,      // packed dial digits, in brackets
    Text,     // characters up to the first zero byte, in brackets
    Digits,   // one digit 0-9 a byte
    Be16,     // 16 bits, high byte first, decimal
    Ipv4,     // four bytes, dotted
    LargeId,  // a Large message id with its catalogue name
};

struct ShownField {
    const char* name;
    uint16_t offset;
    uint16_t width;
    Show show;
    uint8_t count = 1;   // a row of count fields, shown as name[i]
    uint8_t stride = 0;  // frame bytes from one to the next
};

enum class For { Both, KorvenHost, Iap };

struct RequestLayout {
    uint8_t id;
    For system;
    const ShownField* fields;
    size_t fieldCount;
};

template <size_t N>
constexpr RequestLayout Layout(uint8_t id, For system, const ShownField (&fields)[N]) {
    return {id, system, fields, N};
}
constexpr RequestLayout NoFields(uint8_t id) { return {id, For::Both, nullptr, 0}; }

// Registration and keep-alive.
constexpr ShownField kPhoneStart[] = {{"SendIP", 14, 4, Show::Ipv4},
                                      {"LocalIP", 18, 4, Show::Ipv4},
                                      {"MAC", 22, 6, Show::Hex},
                                      {"UserID", 30, 16, Show::Text},
                                      {"Password", 46, 8, Show::Text}};
constexpr ShownField kLinkTestKorvenHost[] = {{"MAC", 14, 6, Show::Hex}};
constexpr ShownField kLinkTestIap[] = {
    {"StationTag", 18, 2, Show::Hex}, {"LocalIP", 20, 4, Show::Ipv4}, {"Turn", 25, 1, Show::Byte}};
// Calls and keys.
constexpr ShownField kEventData[] = {{"Type", 12, 1, Show::Byte}, {"Code", 13, 1, Show::Byte}};
constexpr ShownField kProgramBusy[] = {{"Busy", 12, 1, Show::Byte}};
constexpr ShownField kDigitStrKorvenHost[] = {
    {"Number", 12, 16, Show::Bcd}, {"HookType", 28, 1, Show::Byte}, {"CallType", 29, 1, Show::Hex}};
constexpr ShownField kDigitStrIap[] = {
    {"Number", 12, 16, Show::Bcd}, {"HookType", 28, 1, Show::Byte}, {"TrunkType", 30, 2, Show::Hex}};
constexpr ShownField kRecvSuccess[] = {{"ReqID", 13, 1, Show::LargeId}};
constexpr ShownField kKey[] = {{"Key", 12, 1, Show::Byte}};
constexpr ShownField kHandsetMode[] = {{"Mode", 12, 1, Show::Byte}};
// Conference.
constexpr ShownField kConfGroup[] = {
    {"Group0.Member", 12, 11, Show::Bcd, 4, 11},  {"Group0.Name", 56, 16, Show::Text},
    {"Group1.Member", 72, 11, Show::Bcd, 4, 11},  {"Group1.Name", 116, 16, Show::Text},
    {"Group2.Member", 132, 11, Show::Bcd, 4, 11}, {"Group2.Name", 176, 16, Show::Text},
    {"Group3.Member", 192, 11, Show::Bcd, 4, 11}, {"Group3.Name", 236, 16, Show::Text},
    {"Group4.Member", 252, 11, Show::Bcd, 4, 11}, {"Group4.Name", 296, 16, Show::Text},
};
constexpr ShownField kConfSet[] = {{"Member", 12, 11, Show::Bcd, 4, 11}};
constexpr ShownField kConfDelete[] = {{"Index", 12, 1, Show::Byte}};
constexpr ShownField kConfAdd[] = {{"Index", 12, 1, Show::Byte}, {"Number", 13, 11, Show::Bcd}};
constexpr ShownField kConfTrans[] = {{"Number", 12, 4, Show::Bcd}};
// Executive secretary and SMS.
constexpr ShownField kTextMsg[] = {{"Text", 12, 16, Show::Text, 10, 16}};
constexpr ShownField kTextSend[] = {{"TelNo", 12, 4, Show::Bcd}, {"TextNo", 16, 1, Show::Byte}};
constexpr ShownField kTextRead[] = {{"Tel", 12, 4, Show::Bcd}};
constexpr ShownField kExecData[] = {{"Phone", 12, 4, Show::Bcd}, {"Disp", 16, 16, Show::Text, 2, 16}};
constexpr ShownField kExecState[] = {{"Phone", 12, 4, Show::Bcd}, {"State", 16, 1, Show::Byte}};
constexpr ShownField kSmsSend[] = {{"Target", 18, 4, Show::Bcd}, {"Text", 22, 80, Show::Text}};
// Phone database and absence messages.
constexpr ShownField kPhoneDb0KorvenHost[] = {
    {"Station", 12, 4, Show::Digits},   {"Extension", 28, 4, Show::Bcd}, {"Number", 49, 11, Show::Bcd, 5, 11},
    {"Short", 104, 4, Show::Bcd, 4, 4}, {"Mode", 188, 1, Show::Byte},    {"RtpPort", 196, 2, Show::Be16},
    {"VideoPort", 198, 2, Show::Be16},
};
constexpr ShownField kPhoneDb0Iap[] = {
    {"Extension", 12, 4, Show::Bcd}, {"Station", 20, 4, Show::Digits}, {"Number", 51, 11, Show::Bcd, 3, 12},
    {"B87", 87, 1, Show::Byte},      {"B88", 88, 1, Show::Byte},
};
constexpr ShownField kPhoneDb5[] = {{"Name", 12, 32, Show::Text}};
constexpr ShownField kProgramMsg[] = {{"Message", 12, 16, Show::Text, 5, 16}};

constexpr RequestLayout kLayouts[] = {
    Layout(0, For::Both, kEventData),
    Layout(1, For::Both, kPhoneStart),
    NoFields(2),
    Layout(4, For::Both, kProgramBusy),
    Layout(5, For::KorvenHost, kDigitStrKorvenHost),
    Layout(5, For::Iap, kDigitStrIap),
    Layout(6, For::KorvenHost, kPhoneDb0KorvenHost),
    Layout(6, For::Iap, kPhoneDb0Iap),
    Layout(10, For::Both, kProgramMsg),
    Layout(13, For::Both, kKey),
    Layout(14, For::Both, kKey),
    Layout(15, For::Both, kConfGroup),
    NoFields(17),
    Layout(18, For::Both, kConfSet),
    Layout(19, For::Both, kConfDelete),
    Layout(20, For::Both, kConfAdd),
    Layout(21, For::Both, kConfTrans),
    Layout(22, For::Both, kTextMsg),
    Layout(23, For::Both, kTextSend),
    Layout(24, For::Both, kSmsSend),
    Layout(28, For::Both, kRecvSuccess),
    Layout(34, For::Both, kExecState),
    Layout(35, For::Both, kExecData),
    NoFields(39),
    Layout(41, For::Both, kTextRead),
    Layout(54, For::KorvenHost, kLinkTestKorvenHost),
    Layout(54, For::Iap, kLinkTestIap),
    NoFields(89),  // video update
    Layout(101, For::Both, kHandsetMode),
    Layout(125, For::Both, kPhoneDb5),
};

const RequestLayout* FindLayout(uint8_t id, System system) {
    const For own = system == System::Iap ? For::Iap : For::KorvenHost;
    for (const RequestLayout& layout : kLayouts) {
        if (layout.id == id && (layout.system == For::Both || layout.system == own)) return &layout;
    }
    return nullptr;
}

std::string Formatted(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string ShowText(const uint8_t* bytes, size_t width) {
    std::string text = "[";
    for (size_t i = 0; i < width && bytes[i] != 0; ++i) {
        const bool printable = bytes[i] >= 0x20 && bytes[i] < 0x7F;
        text += printable ? std::string(1, static_cast<char>(bytes[i])) : Formatted("\\x%02x", bytes[i]);
    }
    return text + "]";
}

std::string ShowBcd(const uint8_t* bytes, size_t width) {
    constexpr size_t kLongest = 16;
    char digits[2 * kLongest + 1];
    DecodeBcdDigits(bytes, width < kLongest ? width : kLongest, digits);
    return std::string("[") + digits + "]";
}

std::string ShowLargeId(uint8_t id) {
    const char* name = LargeMessageName(id);
    return Formatted("%u", id) + "(" + (name != nullptr ? name : "?") + ")";
}

// The value of width bytes at bytes, which the caller has checked exist.
std::string ShowValue(Show show, const uint8_t* bytes, size_t width) {
    std::string value;
    switch (show) {
        case Show::Byte:
            return Formatted("%u", bytes[0]);
        case Show::Hex:
            value = "0x";
            for (size_t i = 0; i < width; ++i) value += Formatted("%02x", bytes[i]);
            return value;
        case Show::Bcd:
            return ShowBcd(bytes, width);
        case Show::Text:
            return ShowText(bytes, width);
        case Show::Digits:
            for (size_t i = 0; i < width; ++i) value += bytes[i] <= 9 ? static_cast<char>('0' + bytes[i]) : '?';
            return value;
        case Show::Be16:
            return Formatted("%u", static_cast<unsigned>(bytes[0] << 8 | bytes[1]));
        case Show::Ipv4:
            return Formatted("%u", bytes[0]) + "." + Formatted("%u", bytes[1]) + "." + Formatted("%u", bytes[2]) + "." +
                   Formatted("%u", bytes[3]);
        case Show::LargeId:
            return ShowLargeId(bytes[0]);
    }
    return value;
}

std::string ShowField(const ShownField& field, const Bytes& frame) {
    std::string shown;
    for (size_t i = 0; i < field.count; ++i) {
        const size_t offset = field.offset + i * field.stride;
        if (!shown.empty()) shown += ' ';
        shown += field.name;
        if (field.count > 1) shown += "[" + Formatted("%u", static_cast<unsigned>(i)) + "]";
        shown += '=';
        const bool received = offset + field.width <= frame.size();
        shown += received ? ShowValue(field.show, frame.data() + offset, field.width) : "?";
    }
    return shown;
}

}  // namespace

std::optional<DecodedRequest> DecodeWideRequest(const Bytes& frame, System system) {
    if (frame.size() < kHeaderSize) return std::nullopt;
    const uint8_t messageClass = frame[10];
    if (messageClass != kClassWide && messageClass != kClassWideShort) return std::nullopt;
    const RequestLayout* layout = FindLayout(frame[11], system);
    if (layout == nullptr) return std::nullopt;
    DecodedRequest decoded{MessageName(kClassWide, frame[11]), ""};
    for (size_t i = 0; i < layout->fieldCount; ++i) {
        if (!decoded.fields.empty()) decoded.fields += ' ';
        decoded.fields += ShowField(layout->fields[i], frame);
    }
    return decoded;
}

std::string DescribeWideRequest(const Bytes& frame, System system) {
    const std::optional<DecodedRequest> decoded = DecodeWideRequest(frame, system);
    if (decoded) return decoded->fields.empty() ? decoded->name : decoded->name + " " + decoded->fields;
    const std::string name = frame.size() >= kHeaderSize ? MessageName(frame[10], frame[11]) : "short frame";
    return name + " " + ToHex(frame);
}

}  // namespace korven::pbxsim
