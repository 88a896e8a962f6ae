// Phone database 0 (9) as the PBX sends it, in its KORVENHOST (212-byte)
// and IAP (156-byte) forms. Every payload byte that no named field sets
// carries the low 7 bits of its own frame offset, so copied bytes can be
// told apart.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "large_group_fields.h"

namespace korven::pbxsim {

struct KorvenhostPhoneDb0Fields {
    std::string station = "1234";        // b12-b15, one digit 0-9 per byte
    std::string extension = "20001234";  // b28-b31, packed BCD
    std::array<std::string, 5> numbers = {"0312345678", "0215550100", "", "119", "0800123123"};  // b49 + 11k
    std::array<std::string, 4> shortNumbers = {"100", "200", "", "9"};                           // b104 + 4k
    uint8_t b188 = 2;                                                                            // decoded into 1..3
    uint8_t b189 = 1;           // decoded as 1 whatever it holds
    uint16_t rtpPort = 5000;    // b196-b197, high byte first
    uint16_t videoPort = 5002;  // b198-b199
};

struct IapPhoneDb0Fields {
    std::string extension = "20001234";                                     // b12-b15, packed BCD
    std::string station = "5678";                                           // b20-b23, one digit 0-9 per byte
    std::array<std::string, 3> numbers = {"0312345678", "0215550100", ""};  // b51, b63, b75
    uint8_t b87 = 4;                                                        // decoded into 1..5
    uint8_t b88 = 2;                                                        // decoded into 1..2
};

Bytes LargePhoneDb0(const KorvenhostPhoneDb0Fields& fields);
Bytes LargePhoneDb0(const IapPhoneDb0Fields& fields);

}  // namespace korven::pbxsim
