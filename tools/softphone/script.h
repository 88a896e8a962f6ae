// The scripted mode: steps such as "register;wait-display;dial 1234;
// wait-call-state CONNECT;hangup;quit", run one after the other with the
// face printed after each.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "phone.h"

namespace softphone {

struct Step {
    std::string command;
    std::string argument;
};

// Steps separated by ';' or new lines; blank ones and lines starting with
// '#' are skipped. Nothing when a command is unknown or lacks its argument,
// with the reason in error.
std::optional<std::vector<Step>> ParseSteps(const std::string& text, std::string& error);

// 0 when every step succeeded, 1 when one failed or what it waited for did
// not come within timeoutMs.
int RunSteps(Phone& phone, const std::vector<Step>& steps, const std::string& user, unsigned timeoutMs,
             std::ostream& out);

}  // namespace softphone
