// The telephone face drawn as text: display box, call state, numbers, keys
// and idle indicators.
#pragma once

#include <string>

#include "phone.h"

namespace softphone {

// The name of a call status value, "-UnKonwn-" for unnamed ones and "-" for
// none yet.
std::string CallStatusName(int status);
// The status value of a name, or -1.
int CallStatusByName(const std::string& name);

std::string RenderFace(const PhoneState& state, const std::string& user);

}  // namespace softphone
