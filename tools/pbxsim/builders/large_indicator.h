// Indicator, news and display-info messages as the PBX sends them: LEDs
// (30), spot news (31), display info (63), idle soft keys (118), spot
// choice (55) and spot info (57).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "pbxsim/builders/large_group_fields.h"

namespace korven::pbxsim {

struct LedDataFields {
    System system = System::KorvenHost;
    // All 128 travel to a KORVENHOST softphone, the first 2 to an IAP one.
    std::array<uint8_t, 128> leds = {1, 0, 2, 0, 1};
};

struct SpotNewsFields {
    System system = System::KorvenHost;
    std::string text = "Canteen open until 2 pm";
    // The length the frame announces; the text's own length when unset.
    std::optional<uint16_t> announcedLength;
};

struct DispInfoFields {
    System system = System::KorvenHost;
    // Only 1, 1 marks a news-show message.
    std::array<uint8_t, 2> prefix = {1, 1};
    uint8_t newsShow = 1;
};

struct IdleSoftFields {
    System system = System::KorvenHost;
    uint8_t count = 3;
    std::array<uint8_t, 20> keys = {4, 7, 9};
};

Bytes LargeLedData(const LedDataFields& fields);
Bytes LargeSpotNews(const SpotNewsFields& fields);
Bytes LargeDispInfo(const DispInfoFields& fields);
Bytes LargeIdleSoft(const IdleSoftFields& fields);
Bytes LargeSpotChoice(System system = System::KorvenHost);
Bytes LargeSpotInfo(System system = System::KorvenHost);

}  // namespace korven::pbxsim
