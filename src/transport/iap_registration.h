// What the library reads back from the IAP registration record that
// LARGE_VERS_CHECK leaves in the state object: the station tag of outgoing
// IAP headers and the address the PBX announced for the frames after
// registration.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "transport/frame_header.h"

class CKorvenSignalLibApp;

namespace korven {

// All zero before LARGE_VERS_CHECK: the station tag (record bytes 32-33 in
// arrival order), the destination address text (from offset 52 to its first
// zero byte, empty before registration) and any single byte of the record
// (0 beyond it).
StationTag CurrentStationTag(const CKorvenSignalLibApp& app);
std::string IapDestination(const CKorvenSignalLibApp& app);
uint8_t IapRegistrationByte(const CKorvenSignalLibApp& app, size_t offset);

}  // namespace korven
