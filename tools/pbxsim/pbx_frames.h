// Frames of the PBX side: the messages a PBX sends to a softphone, built
// from a table of message layouts, and a view of the frames it receives.
//
// Adding a message is one row in kMessages (pbx_frames.cpp) with its
// fields; FrameBuilder and the script runner then know it by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korven::pbxsim {

enum class System { KorvenHost, Iap };

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kClassNormal = 0x10;
constexpr uint8_t kClassLarge = 0x11;
constexpr uint8_t kClassWide = 0x29;
constexpr uint8_t kClassWideShort = 0x27;
constexpr size_t kHeaderSize = 12;

// How a field's value is put into the frame.
enum class Codec {
    Byte,  // one byte
    Be16,  // 16 bits, high byte first
    Le16,  // 16 bits, low byte first
    Bcd,   // dial digits, two per byte, 0xFF filled
    Text,  // characters, zero-filled to the width
    Hex,   // raw bytes written as hex text
};

struct FieldDef {
    const char* name;
    uint16_t offset;  // frame offset (payload starts at 12)
    uint16_t width;
    Codec codec;
};

// Layout of one message of one or both system types.
struct MessageDef {
    const char* name;
    uint8_t messageClass;
    uint8_t id;
    bool korvenHost;
    bool iap;
    uint16_t length;  // whole frame
    const FieldDef* fields;
    size_t fieldCount;
};

// The layout of the message of that name for the system type, or null.
const MessageDef* FindMessage(std::string_view name, System system);

// Class and id of a Normal, Large or Wide message name of the catalogues
// (also for messages without a layout); false for an unknown name.
bool LookUpMessageId(std::string_view name, uint8_t& messageClass, uint8_t& id);
// Catalogue name of a frame's class and id, or "class 0x%02x id %d".
std::string MessageName(uint8_t messageClass, uint8_t id);

// A frame of `length` bytes (at least the header) with the PBX's header for
// the system type; the payload is zero.
Bytes MakeFrame(System system, uint8_t messageClass, uint8_t id, size_t length);

// A message builder's fields at their defaults, for the system type.
template <class Fields>
Fields DefaultFields(System system) {
    Fields fields;
    fields.system = system;
    return fields;
}

// Builds one message from its layout. Unset fields stay zero.
class FrameBuilder {
public:
    FrameBuilder(const MessageDef& message, System system);
    // Class and id only: a message without a layout, payload given as bytes.
    FrameBuilder(System system, uint8_t messageClass, uint8_t id);

    // False for an unknown field or a value the codec cannot take.
    bool Set(std::string_view field, uint32_t value);
    bool SetText(std::string_view field, std::string_view text);
    // Parses the value by the field's codec: numbers in decimal or 0x hex,
    // Bcd and Text as given, Hex as hex digits.
    bool SetFromText(std::string_view field, std::string_view value);
    // Writes bytes at a frame offset, growing the frame as needed.
    void SetBytes(size_t offset, const Bytes& bytes);

    // The frame with its total length filled in.
    Bytes Frame() const;

private:
    const FieldDef* Find(std::string_view field) const;

    const MessageDef* message_ = nullptr;
    Bytes frame_;
};

// Parses hex text ("7e 80 ff", "7e80ff", "7e:80"); false on anything else.
bool ParseHex(std::string_view text, Bytes& bytes);
std::string ToHex(const Bytes& bytes);

// What the simulator answers a registration with.
struct RegistrationAnswer {
    uint8_t result = 0;
    std::string digits = "1234";
    uint16_t countryCode = 0x82FF;
    uint8_t signalType = 0;
    uint16_t realPort = 6000;              // KORVENHOST
    uint16_t aliveLinkTime = 5000;         // IAP
    uint8_t keepAliveByte = 0x05;          // IAP, read back by the link test
    uint8_t stationTag[2] = {0x12, 0x34};  // IAP
    std::string iapAddress;                // IAP; empty: the simulator's own address
    uint8_t initialEndId = 1;
};

Bytes BuildVersCheck(System system, const RegistrationAnswer& answer);
Bytes BuildInitialEnd(System system, const RegistrationAnswer& answer);

}  // namespace korven::pbxsim
