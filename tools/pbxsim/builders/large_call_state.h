// Call state messages as the PBX sends them: call response (2), call status
// (3), idle status (4), call number (5), dial number (7), and the events
// that carry nothing but their id: video dial number (15), call disconnect
// (52) and missed call (53).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "large_group_fields.h"

namespace korven::pbxsim {

struct IdleStatusFields {
    System system = System::KorvenHost;
    uint8_t dndMode = 0;
    uint8_t absenceMode = 1;
    uint8_t taviCount = 2;
    uint8_t stationCount = 3;
    uint8_t emailCount = 4;  // b18, read only from a 20-byte KORVENHOST frame
    size_t length = 20;      // the whole frame
};

// Number fields are packed-BCD bytes as they travel, so odd encodings can be
// sent too; BcdBytes makes them from digits.
struct CallNumberFields {
    System system = System::KorvenHost;
    uint32_t id = 1;                               // b12-b15, low byte first
    Bytes number = BcdBytes("0312345678", 8);      // b16-b23
    std::string name = "Reception";                // b24-b39
    std::array<uint8_t, 2> trunkType = {1, 2};     // b40-b41
    Bytes didNumber = BcdBytes("0215550100", 16);  // b42-b57
    std::string didName = "Sales line";            // b58-b73
    Bytes callNameEx = BcdBytes("4412", 32);       // b74-b105
    size_t length = 108;                           // the whole frame: DID fields from 74, callNameEx from 108
};

Bytes LargeCallResponse(uint8_t response, System system = System::KorvenHost);
Bytes LargeCallStatus(uint8_t status, System system = System::KorvenHost);
Bytes LargeIdleStatus(const IdleStatusFields& fields);
Bytes LargeCallNumber(const CallNumberFields& fields);
Bytes LargeDialNumber(const CallNumberFields& fields);
Bytes LargeVDialNumber(System system = System::KorvenHost);
Bytes LargeCallDisconnect(System system = System::KorvenHost);
Bytes LargeMissedCall(System system = System::KorvenHost);

}  // namespace korven::pbxsim
