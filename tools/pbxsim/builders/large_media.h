// Media control messages as the PBX sends them: audio (51), video (80) and
// the video-update request (89).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pbxsim/builders/large_group_fields.h"

namespace korven::pbxsim {

struct AudioControlFields {
    System system = System::KorvenHost;
    std::array<uint8_t, 5> codes = {1, 0, 0, 0, 0};  // b12, b13, b37, b124, b125
    std::array<uint8_t, 4> address = {192, 168, 0, 20};
    uint16_t port = 20000;
    std::string number = "2001";  // digits, at most 16
    std::array<std::array<uint8_t, 30>, 2> data30 = {};
    std::array<std::array<uint8_t, 48>, 2> data48 = {};
};

struct VideoControlFields {
    System system = System::KorvenHost;
    uint8_t firstCode = 1;
    uint8_t secondCode = 1;  // b13 as sent; the library normalises it
    uint8_t thirdCode = 11;  // b20 as sent, 10 above the value meant
    uint8_t fourthCode = 0;
    std::array<uint8_t, 4> address = {192, 168, 0, 20};
    uint16_t port = 20002;
    uint16_t secondValue = 0;  // b26 (KORVENHOST) or b28 (IAP)
    // IAP long form: the frame grows to 216 bytes and carries the rest.
    bool longForm = false;
    std::array<std::array<uint8_t, 30>, 2> data30 = {};
    std::array<uint8_t, 2> algorithms = {0, 0};  // local, remote
    std::array<std::array<uint8_t, 4>, 2> payloads = {};
    std::array<std::array<uint8_t, 48>, 2> data48 = {};
};

Bytes LargeAudioControl(const AudioControlFields& fields);
Bytes LargeVideoControl(const VideoControlFields& fields);
Bytes LargeVideoUpdate(System system = System::KorvenHost);

}  // namespace korven::pbxsim
