// The Wide requests a softphone sends, decoded field by field for the
// simulator's log: "WIDE_DIGIT_STR Number=0123*# HookType=1 CallType=0x02".
#pragma once

#include <optional>
#include <string>

#include "pbxsim/pbx_frames.h"

namespace korven::pbxsim {

struct DecodedRequest {
    std::string name;    // catalogue name of the id ("--89" for the video update)
    std::string fields;  // "Name=value" pairs separated by blanks; empty for none
};

// Decodes a frame of class 0x29 or 0x27 from a phone of the given system
// type. nullopt for another class or an id without a known layout. Fields
// the frame is too short to hold show as "?".
std::optional<DecodedRequest> DecodeWideRequest(const Bytes& frame, System system);

// One line for the log: the decoded request, or the catalogue name and the
// frame in hex when it cannot be decoded.
std::string DescribeWideRequest(const Bytes& frame, System system);

}  // namespace korven::pbxsim
