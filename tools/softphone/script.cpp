#include "script.h"

#include <cstdlib>
#include <sstream>

#include "face.h"

namespace softphone {
namespace {

enum class Outcome { Next, Quit, Fail };

// What a step sets off usually comes as a burst of frames; the face shows
// it whole.
constexpr unsigned kSettleMs = 150;

struct Context {
    Phone& phone;
    unsigned timeoutMs;
    std::ostream& out;
    unsigned displaysSeen;  // by the last wait-display
};

bool Failed(Context& context, const std::string& reason) {
    context.out << "FAILED: " << reason << "\n";
    return false;
}

// Pumps until done() holds; false after the timeout.
bool Await(Context& context, const std::function<bool()>& done, const std::string& what) {
    context.phone.PumpFor(context.timeoutMs, done);
    return done() || Failed(context, what + " did not come within " + std::to_string(context.timeoutMs) + " ms");
}

bool Checked(Context& context, bool sent, const std::string& error) { return sent || Failed(context, error); }

Outcome ToOutcome(bool ok) { return ok ? Outcome::Next : Outcome::Fail; }

Outcome DoRegister(Context& context, const std::string&) {
    std::string error;
    PhoneState& state = context.phone.State();
    return ToOutcome(Checked(context, context.phone.Register(error), error) &&
                     Await(
                         context, [&state] { return state.registered; }, "the registration answer"));
}

Outcome DoWaitDisplay(Context& context, const std::string&) {
    PhoneState& state = context.phone.State();
    const unsigned seen = context.displaysSeen;
    const bool painted = Await(
        context, [&state, seen] { return state.displayCount > seen; }, "a display");
    context.displaysSeen = state.displayCount;
    return ToOutcome(painted);
}

Outcome DoDial(Context& context, const std::string& number) {
    std::string error;
    context.phone.State().keypad = number;
    return ToOutcome(Checked(context, context.phone.Dial(number, error), error));
}

Outcome DoWaitCallState(Context& context, const std::string& name) {
    const int wanted = CallStatusByName(name);
    PhoneState& state = context.phone.State();
    return ToOutcome(Await(
        context, [&state, wanted] { return state.callStatus == wanted; }, "call state " + name));
}

Outcome DoHangUp(Context& context, const std::string&) {
    std::string error;
    context.phone.State().keypad.clear();
    return ToOutcome(Checked(context, context.phone.HangUp(error), error));
}

Outcome DoWait(Context& context, const std::string& milliseconds) {
    context.phone.PumpFor(static_cast<unsigned>(std::strtoul(milliseconds.c_str(), nullptr, 10)));
    return Outcome::Next;
}

Outcome DoQuit(Context&, const std::string&) { return Outcome::Quit; }

enum class Argument { None, Required };

struct Command {
    const char* name;
    Argument argument;
    Outcome (*run)(Context&, const std::string&);
};

const Command kCommands[] = {
    {"register", Argument::None, DoRegister}, {"wait-display", Argument::None, DoWaitDisplay},
    {"dial", Argument::Required, DoDial},     {"wait-call-state", Argument::Required, DoWaitCallState},
    {"hangup", Argument::None, DoHangUp},     {"wait", Argument::Required, DoWait},
    {"quit", Argument::None, DoQuit},
};

const Command* FindCommand(const std::string& name) {
    for (const Command& command : kCommands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<Step> ParseStep(const std::string& text, std::string& error) {
    std::istringstream words(text);
    Step step;
    words >> step.command >> step.argument;
    const Command* command = FindCommand(step.command);
    if (command == nullptr) {
        error = "unknown step '" + text + "'";
        return std::nullopt;
    }
    if (command->argument == Argument::Required && step.argument.empty()) {
        error = "step '" + text + "' needs an argument";
        return std::nullopt;
    }
    if (step.command == "wait-call-state" && CallStatusByName(step.argument) < 0) {
        error = "unknown call state '" + step.argument + "'";
        return std::nullopt;
    }
    return step;
}

}  // namespace

std::optional<std::vector<Step>> ParseSteps(const std::string& text, std::string& error) {
    std::vector<Step> steps;
    std::string piece;
    std::istringstream pieces(text);
    while (std::getline(pieces, piece)) {
        std::istringstream parts(piece);
        std::string part;
        while (std::getline(parts, part, ';')) {
            const std::string trimmed = Trimmed(part);
            if (trimmed.empty() || trimmed[0] == '#') continue;
            std::optional<Step> step = ParseStep(trimmed, error);
            if (!step) return std::nullopt;
            steps.push_back(*step);
        }
    }
    return steps;
}

int RunSteps(Phone& phone, const std::vector<Step>& steps, const std::string& user, unsigned timeoutMs,
             std::ostream& out) {
    Context context{phone, timeoutMs, out, 0};
    for (const Step& step : steps) {
        out << "== " << step.command << (step.argument.empty() ? "" : " " + step.argument) << "\n";
        const Outcome outcome = FindCommand(step.command)->run(context, step.argument);
        if (outcome == Outcome::Next) phone.PumpFor(kSettleMs);
        out << RenderFace(phone.State(), user) << std::flush;
        if (outcome == Outcome::Fail) return 1;
        if (outcome == Outcome::Quit) return 0;
    }
    return 0;
}

}  // namespace softphone
