// System and link messages as the PBX sends them: error response (62),
// link test (54), gatekeeper restart (160), database update (162) and phone
// database 5 (84, or 125 from an IAP PBX). Call disconnect (52) and missed
// call (53) are built with the call state messages.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pbxsim/builders/large_group_fields.h"

namespace korven::pbxsim {

struct ErrorRespFields {
    System system = System::KorvenHost;
    uint8_t orgMsgId = 0x29;  // the refused request
    uint8_t errorId = 5;
};

struct DBUpdateFields {
    System system = System::Iap;
    std::string id = "DB-2024-0001";  // 16 bytes
};

struct ServerFields {
    std::array<uint8_t, 4> address;
    uint16_t port;
    // IAP: stands in for an address whose first byte is 0xFF.
    std::array<uint8_t, 4> fallback;
};

struct PhoneDB5Fields {
    System system = System::KorvenHost;
    uint8_t id = 84;
    std::string name = "Front desk";  // IAP only, 32 bytes
    ServerFields mms = {{10, 0, 0, 5}, 8080, {10, 0, 1, 5}};
    ServerFields imps = {{10, 0, 0, 6}, 8081, {10, 0, 1, 6}};
};

Bytes LargeErrorResp(const ErrorRespFields& fields);
Bytes LargeDBUpdate(const DBUpdateFields& fields);
Bytes LargePhoneDB5(const PhoneDB5Fields& fields);
Bytes LargeLinkTest(System system = System::KorvenHost);
Bytes LargeGKRestart(System system = System::Iap);

}  // namespace korven::pbxsim
