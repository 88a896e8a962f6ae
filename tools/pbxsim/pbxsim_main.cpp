// korven-pbxsim: a PBX on a UDP port for trying a softphone against.
//
//   korven-pbxsim [--system korvenhost|iap] [--address A] [--port P]
//                 [--link-test-port P] [--observe-link-test] [--station-tag HEX4]
//                 [--phone A:P] [--script FILE]
//
// Without a script it answers registrations and prints every frame until
// its standard input ends; with one it runs the steps and exits 0 when all
// succeed.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "pbxsim/pbx_script.h"
#include "pbxsim/pbx_simulator.h"
#include "pbxsim/wide_requests.h"

namespace {

using korven::pbxsim::LinkTestListening;
using korven::pbxsim::SimulatorOptions;

struct CommandLine {
    SimulatorOptions options;
    std::string script;
    std::string phone;
};

bool ParsePort(const char* text, uint16_t& port) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (*end != '\0' || value > 0xFFFF) return false;
    port = static_cast<uint16_t>(value);
    return true;
}

bool ParseSystem(const char* text, korven::pbxsim::System& system) {
    if (std::strcmp(text, "iap") == 0) {
        system = korven::pbxsim::System::Iap;
    } else if (std::strcmp(text, "korvenhost") == 0) {
        system = korven::pbxsim::System::KorvenHost;
    } else {
        return false;
    }
    return true;
}

bool ParseStationTag(const char* text, uint8_t (&tag)[2]) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 16);
    if (*end != '\0' || value > 0xFFFF) return false;
    tag[0] = static_cast<uint8_t>(value >> 8);
    tag[1] = static_cast<uint8_t>(value);
    return true;
}

bool ParseOption(CommandLine& line, const std::string& name, const char* value) {
    SimulatorOptions& options = line.options;
    if (name == "--system") return ParseSystem(value, options.system);
    if (name == "--port") return ParsePort(value, options.signalPort);
    if (name == "--station-tag") return ParseStationTag(value, options.registration.stationTag);
    if (name == "--link-test-port") {
        if (options.linkTest == LinkTestListening::None) options.linkTest = LinkTestListening::Udp;
        return ParsePort(value, options.linkTestPort);
    }
    std::string* text = name == "--address"  ? &options.address
                        : name == "--phone"  ? &line.phone
                        : name == "--script" ? &line.script
                                             : nullptr;
    if (text == nullptr) return false;
    *text = value;
    return true;
}

bool Parse(int argc, char** argv, CommandLine& line) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--observe-link-test") {
            line.options.linkTest = LinkTestListening::Observe;
            continue;
        }
        if (i + 1 >= argc || !ParseOption(line, name, argv[++i])) {
            std::cerr << "bad option " << name << "\n";
            return false;
        }
    }
    return true;
}

bool SetPhone(korven::pbxsim::PbxSimulator& simulator, const std::string& phone) {
    const size_t colon = phone.rfind(':');
    uint16_t port = 0;
    if (colon == std::string::npos || !ParsePort(phone.c_str() + colon + 1, port)) return false;
    simulator.SetPhone({phone.substr(0, colon), port});
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    if (!Parse(argc, argv, line)) return 2;
    const bool scripted = !line.script.empty();
    if (!scripted) {
        const korven::pbxsim::System system = line.options.system;
        line.options.onReceive = [system](const korven::pbxsim::ReceivedFrame& frame) {
            std::cout << frame.from.address << ":" << frame.from.port << " "
                      << korven::pbxsim::DescribeWideRequest(frame.bytes, system) << std::endl;
        };
    }
    korven::pbxsim::PbxSimulator simulator(line.options);
    std::string error;
    if (!simulator.Start(error)) {
        std::cerr << error << "\n";
        return 1;
    }
    if (!line.phone.empty() && !SetPhone(simulator, line.phone)) {
        std::cerr << "bad --phone " << line.phone << "\n";
        return 2;
    }
    std::cout << "PBX simulator on " << simulator.Address() << ":" << simulator.SignalPort() << std::endl;
    if (scripted) {
        std::ifstream script(line.script);
        if (!script) {
            std::cerr << "cannot read " << line.script << "\n";
            return 2;
        }
        return korven::pbxsim::RunScript(simulator, script, std::cout) ? 0 : 1;
    }
    for (std::string ignored; std::getline(std::cin, ignored);) {
    }
    return 0;
}
