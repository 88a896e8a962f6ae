// What a softphone demo needs from the PBX beyond registration: a dialled
// number is answered with the call status "other party ringing", the dial
// number and a display showing it; a conference dial is answered with the
// conference start of the members just set. Every Wide request received is
// logged decoded.
//
// With the call progression on, the simulator also plays a whole call for a
// softphone demo: the registration is followed by the idle status and an
// idle display, a dialled number is connected right after it rings, and the
// on-hook event (WIDE_EVENT_DATA with kOnHookEventType, kOnHookEventCode)
// disconnects the call and brings the idle display back.
//
//   pbxsim::DemoReactions reactions(&std::cout);
//   pbxsim::SimulatorOptions options;
//   reactions.Attach(options);
//   pbxsim::PbxSimulator simulator(options);
//   reactions.Bind(simulator);
//   simulator.Start(error);
#pragma once

#include <array>
#include <atomic>
#include <initializer_list>
#include <mutex>
#include <ostream>
#include <string>

#include "pbxsim/pbx_simulator.h"

namespace korven::pbxsim {

constexpr uint8_t kOnHookEventType = 1;
constexpr uint8_t kOnHookEventCode = 0;

class DemoReactions {
public:
    // log: where the decoded requests go, or null for nowhere.
    explicit DemoReactions(std::ostream* log = nullptr) : log_(log) {}
    DemoReactions(const DemoReactions&) = delete;
    DemoReactions& operator=(const DemoReactions&) = delete;

    // Chains the reactions after whatever options.onReceive already does.
    // The reactions must outlive the simulator made with these options.
    void Attach(SimulatorOptions& options);
    // The simulator that sends the answers.
    void Bind(PbxSimulator& simulator) { simulator_.store(&simulator); }
    // Set before the simulator starts.
    void EnableCallProgression() { progression_ = true; }

    // Logs and answers one received frame; called on the simulator's thread.
    void OnFrame(const ReceivedFrame& frame);

private:
    void AnswerDial(const ReceivedFrame& frame);
    void ShowIdle(const ReceivedFrame& frame);
    void HangUp(const ReceivedFrame& frame);
    void KeepMembers(const ReceivedFrame& frame);
    void StartConference(const ReceivedFrame& frame);
    void SendAll(std::initializer_list<Bytes> frames);

    struct Reaction {
        uint8_t id;
        void (DemoReactions::*react)(const ReceivedFrame&);
    };
    static const Reaction kReactions[];

    std::ostream* log_;
    // Atomic: a test may bind after the simulator's thread has started.
    std::atomic<PbxSimulator*> simulator_{nullptr};
    System system_ = System::KorvenHost;
    bool progression_ = false;
    std::mutex lock_;
    std::array<std::string, 4> members_;  // of the last WIDE_CONF_SET
};

}  // namespace korven::pbxsim
