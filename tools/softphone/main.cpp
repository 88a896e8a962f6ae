// A console softphone on the signalling library: it draws the telephone's
// face in the terminal and is worked by keys or by a script. Without --pbx
// it talks to the bundled PBX simulator, started in-process on loopback.
//
//   korven-softphone [--pbx HOST:PORT --user ID --password PW
//                     --system korvenhost|iap --hangup-event TYPE,CODE]
//                    [--sim-port PORT]
//                    [--steps "register;wait-display;dial 1234;..." |
//                     --script FILE] [--timeout MS] [--interactive]
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "face.h"
#include "keys.h"
#include "pbxsim/demo_reactions.h"
#include "pbxsim/pbx_simulator.h"
#include "phone.h"
#include "script.h"

namespace {

constexpr int kUsageError = 2;
constexpr unsigned kDefaultTimeoutMs = 5000;

const char kUsage[] =
    "usage: korven-softphone [--pbx HOST:PORT] [--user ID] [--password PW] [--system korvenhost|iap]\n"
    "                        [--hangup-event TYPE,CODE]\n"
    "                        [--sim-port PORT] [--steps STEPS | --script FILE] [--timeout MS] [--interactive]\n"
    "steps: register; wait-display; dial NUMBER; wait-call-state NAME; hangup; wait MS; quit\n";

struct Options {
    softphone::PhoneConfig phone;
    bool realPbx = false;
    unsigned simPort = 0;
    std::string steps;
    bool scripted = false;
    bool interactive = false;
    unsigned timeoutMs = kDefaultTimeoutMs;
};

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream file(path);
    if (!file) return false;
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}

bool SetPbx(Options& options, const std::string& value) {
    const size_t colon = value.rfind(':');
    if (colon == std::string::npos) return false;
    options.phone.pbxAddress = value.substr(0, colon);
    options.phone.pbxPort = static_cast<unsigned>(std::strtoul(value.c_str() + colon + 1, nullptr, 10));
    options.realPbx = true;
    return options.phone.pbxPort != 0;
}

bool SetSystem(Options& options, const std::string& value) {
    const std::map<std::string, int> systems = {{"korvenhost", KORVEN_SYSTEM_KORVENHOST}, {"iap", KORVEN_SYSTEM_IAP}};
    const auto found = systems.find(value);
    if (found == systems.end()) return false;
    options.phone.system = found->second;
    return true;
}

// TYPE,CODE
bool SetHangUpEvent(Options& options, const std::string& value) {
    char* end = nullptr;
    options.phone.hangUpEventType = static_cast<int>(std::strtol(value.c_str(), &end, 10));
    if (*end != ',') return false;
    options.phone.hangUpEventCode = static_cast<int>(std::strtol(end + 1, &end, 10));
    return *end == '\0';
}

bool SetOption(Options& options, const std::string& name, const std::string& value) {
    if (name == "--pbx") return SetPbx(options, value);
    if (name == "--hangup-event") return SetHangUpEvent(options, value);
    if (name == "--system") return SetSystem(options, value);
    if (name == "--user")
        options.phone.user = value;
    else if (name == "--password")
        options.phone.password = value;
    else if (name == "--sim-port")
        options.simPort = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
    else if (name == "--timeout")
        options.timeoutMs = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
    else if (name == "--steps")
        options.steps = value;
    else if (name != "--script" || !ReadFile(value, options.steps))
        return false;
    options.scripted = options.scripted || name == "--steps" || name == "--script";
    return true;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int a = 1; a < argc; ++a) {
        const std::string name = argv[a];
        if (name == "--interactive") {
            options.interactive = true;
        } else if (a + 1 >= argc || !SetOption(options, name, argv[++a])) {
            std::fprintf(stderr, "bad option %s\n%s", name.c_str(), kUsage);
            return false;
        }
    }
    if (!options.scripted && !options.interactive) options.interactive = isatty(STDIN_FILENO) != 0;
    if (!options.scripted && !options.interactive) std::fprintf(stderr, "no terminal and no script\n%s", kUsage);
    return options.scripted || options.interactive;
}

// The simulator and its reactions, the reactions outliving the simulator.
struct BundledPbx {
    korven::pbxsim::DemoReactions reactions;
    std::unique_ptr<korven::pbxsim::PbxSimulator> simulator;
};

bool StartBundledPbx(BundledPbx& pbx, Options& options) {
    korven::pbxsim::SimulatorOptions simulatorOptions;
    simulatorOptions.system =
        options.phone.system == KORVEN_SYSTEM_IAP ? korven::pbxsim::System::Iap : korven::pbxsim::System::KorvenHost;
    simulatorOptions.signalPort = static_cast<uint16_t>(options.simPort);
    pbx.reactions.EnableCallProgression();
    pbx.reactions.Attach(simulatorOptions);
    pbx.simulator = std::make_unique<korven::pbxsim::PbxSimulator>(std::move(simulatorOptions));
    pbx.reactions.Bind(*pbx.simulator);
    std::string error;
    if (!pbx.simulator->Start(error)) {
        std::fprintf(stderr, "PBX simulator: %s\n", error.c_str());
        return false;
    }
    options.phone.pbxAddress = pbx.simulator->Address();
    options.phone.pbxPort = pbx.simulator->SignalPort();
    options.phone.hangUpEventType = korven::pbxsim::kOnHookEventType;
    options.phone.hangUpEventCode = korven::pbxsim::kOnHookEventCode;
    return true;
}

// Scripted runs log each notification; the interactive face is redrawn.
std::function<void()> OnChange(const Options& options, softphone::Phone*& phone) {
    if (options.interactive && !options.scripted) {
        return [&phone, user = options.phone.user] { softphone::DrawFace(phone->State(), user); };
    }
    return [&phone] {
        const softphone::PhoneState& state = phone->State();
        std::cout << "  <- " << state.lastEvent << " (call state " << softphone::CallStatusName(state.callStatus)
                  << ")\n";
    };
}

int Run(Options& options) {
    std::string error;
    std::optional<std::vector<softphone::Step>> steps;
    if (options.scripted && !(steps = softphone::ParseSteps(options.steps, error))) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kUsageError;
    }
    BundledPbx pbx;
    if (!options.realPbx && !StartBundledPbx(pbx, options)) return 1;
    softphone::Phone* current = nullptr;
    softphone::Phone phone(OnChange(options, current));
    current = &phone;
    if (!phone.Open(options.phone, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (steps) return softphone::RunSteps(phone, *steps, options.phone.user, options.timeoutMs, std::cout);
    return softphone::RunInteractive(phone, options.phone.user);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return kUsageError;
    return Run(options);
}
