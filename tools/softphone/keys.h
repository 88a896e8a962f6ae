// The interactive mode: the terminal's keys work the telephone. Digits, '*'
// and '#' build a number, Enter dials it, Backspace takes a digit back, 'h'
// hangs up and 'q' quits.
#pragma once

#include <string>

#include "phone.h"

namespace softphone {

enum class KeyResult { Ignored, Changed, Quit };

// Applies one key to the phone; error receives a failed request's reason.
KeyResult HandleKey(char key, Phone& phone, std::string& error);

// Registers, then runs until 'q' or the end of input, redrawing the face on
// every key and notification. The exit code.
int RunInteractive(Phone& phone, const std::string& user);

// Clears the terminal and draws the face.
void DrawFace(const PhoneState& state, const std::string& user);

}  // namespace softphone
