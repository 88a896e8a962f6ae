// Scripted sessions for the simulator: a text file of steps, one a line.
//
//   # comment
//   expect WIDE_PHONE_START 5000        wait (ms, default 5000) for the next such frame
//   send LARGE_VERS_CHECK Result=0 Digits=1234
//   send LARGE_CALL_NUMBER payload=01 02 03   a message without a layout: bytes from b12
//   send-raw 7e 80 ff ff 00 0d 06 10 10 11 11 00 01
//   wait 200                            pause (ms)
//   phone 127.0.0.1 6000                where frames go (else the last sender)
//
// "expect" looks only at frames after the one the previous "expect" matched.
#pragma once

#include <istream>
#include <ostream>

#include "pbxsim/pbx_simulator.h"

namespace korven::pbxsim {

// Runs the steps in order; reports each to log. False at the first step
// that fails (unknown step or message, bad value, unanswered expect), named
// with its line number.
bool RunScript(PbxSimulator& simulator, std::istream& script, std::ostream& log);

}  // namespace korven::pbxsim
