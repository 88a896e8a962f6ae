#include "pbxsim/pbx_script.h"

#include <chrono>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace korven::pbxsim {
namespace {

constexpr int kDefaultExpectMs = 5000;
constexpr char kPayloadKey[] = "payload";

struct Session {
    PbxSimulator& simulator;
    std::ostream& log;
    size_t nextFrame = 0;  // frames before it were matched already
};

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// The rest of the line after the first `skip` words, for hex payloads.
std::string Tail(const std::vector<std::string>& words, size_t skip) {
    std::string tail;
    for (size_t i = skip; i < words.size(); ++i) tail += words[i] + " ";
    return tail;
}

bool ParseMs(const std::string& text, int& ms) {
    try {
        size_t used = 0;
        ms = std::stoi(text, &used);
        return used == text.size() && ms >= 0;
    } catch (const std::exception&) {
        return false;
    }
}

bool Fail(Session& session, const std::string& reason) {
    session.log << "  failed: " << reason << "\n";
    return false;
}

bool SendFrame(Session& session, const std::vector<uint8_t>& frame) {
    if (!session.simulator.Send(frame)) return Fail(session, "no phone to send to");
    session.log << "  sent " << ToHex(frame) << "\n";
    return true;
}

// Applies "name=value" arguments; a "payload=" argument takes the rest of the line.
bool Configure(Session& session, FrameBuilder& builder, const std::vector<std::string>& words) {
    for (size_t i = 2; i < words.size(); ++i) {
        const size_t equals = words[i].find('=');
        if (equals == std::string::npos) return Fail(session, "expected name=value: " + words[i]);
        const std::string name = words[i].substr(0, equals);
        const std::string value = words[i].substr(equals + 1);
        if (name == kPayloadKey) {
            std::vector<uint8_t> bytes;
            if (!ParseHex(value + " " + Tail(words, i + 1), bytes)) return Fail(session, "bad hex payload");
            builder.SetBytes(kHeaderSize, bytes);
            return true;
        }
        if (!builder.SetFromText(name, value)) return Fail(session, "cannot set " + words[i]);
    }
    return true;
}

bool StepSend(Session& session, const std::vector<std::string>& words) {
    if (words.size() < 2) return Fail(session, "send needs a message name");
    const System system = session.simulator.SystemType();
    if (const MessageDef* message = FindMessage(words[1], system)) {
        FrameBuilder builder(*message, system);
        return Configure(session, builder, words) && SendFrame(session, builder.Frame());
    }
    uint8_t messageClass = 0, id = 0;
    if (!LookUpMessageId(words[1], messageClass, id)) return Fail(session, "unknown message " + words[1]);
    FrameBuilder builder(system, messageClass, id);
    return Configure(session, builder, words) && SendFrame(session, builder.Frame());
}

bool StepSendRaw(Session& session, const std::vector<std::string>& words) {
    std::vector<uint8_t> frame;
    if (!ParseHex(Tail(words, 1), frame) || frame.empty()) return Fail(session, "bad hex frame");
    return SendFrame(session, frame);
}

bool StepExpect(Session& session, const std::vector<std::string>& words) {
    int ms = kDefaultExpectMs;
    if (words.size() < 2 || (words.size() > 2 && !ParseMs(words[2], ms))) {
        return Fail(session, "expect NAME [MS]");
    }
    const std::optional<FrameMatch> match = FrameMatch::ByName(words[1]);
    if (!match) return Fail(session, "unknown message " + words[1]);
    size_t index = 0;
    const auto frame = session.simulator.WaitFor(*match, std::chrono::milliseconds(ms), session.nextFrame, &index);
    if (!frame) return Fail(session, "no " + words[1] + " within " + std::to_string(ms) + " ms");
    session.nextFrame = index + 1;
    session.log << "  received " << ToHex(frame->bytes) << "\n";
    return true;
}

bool StepWait(Session& session, const std::vector<std::string>& words) {
    int ms = 0;
    if (words.size() != 2 || !ParseMs(words[1], ms)) return Fail(session, "wait MS");
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return true;
}

bool StepPhone(Session& session, const std::vector<std::string>& words) {
    int port = 0;
    if (words.size() != 3 || !ParseMs(words[2], port) || port > 0xFFFF) return Fail(session, "phone ADDRESS PORT");
    session.simulator.SetPhone({words[1], static_cast<uint16_t>(port)});
    return true;
}

struct Step {
    const char* keyword;
    bool (*run)(Session&, const std::vector<std::string>&);
};
constexpr Step kSteps[] = {
    {"send", StepSend}, {"send-raw", StepSendRaw}, {"expect", StepExpect}, {"wait", StepWait}, {"phone", StepPhone},
};

}  // namespace

bool RunScript(PbxSimulator& simulator, std::istream& script, std::ostream& log) {
    Session session{simulator, log};
    int number = 0;
    for (std::string line; std::getline(script, line);) {
        ++number;
        const std::vector<std::string> words = Words(line);
        if (words.empty() || words[0][0] == '#') continue;
        log << number << ": " << line << "\n";
        bool known = false, done = false;
        for (const Step& step : kSteps) {
            if (words[0] != step.keyword) continue;
            known = true;
            done = step.run(session, words);
        }
        if (!known) Fail(session, "unknown step " + words[0]);
        if (!done) {
            log << "script stopped at line " << number << "\n";
            return false;
        }
    }
    return true;
}

}  // namespace korven::pbxsim
