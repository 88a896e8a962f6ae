// A PBX on a UDP port for tests and demos: it answers a softphone's
// registration on either system type, records every frame it receives and
// sends any frame on command.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "pbxsim/pbx_frames.h"
#include "pbxsim/sim_socket.h"

namespace korven::pbxsim {

// Where a frame arrived: the signalling port, or the port of the phone's
// alternate link test.
enum class Channel { Signal, LinkTest };

struct ReceivedFrame {
    Channel channel;
    Peer from;
    std::vector<uint8_t> bytes;

    uint8_t MessageClass() const { return bytes.size() > 10 ? bytes[10] : 0; }
    uint8_t MessageId() const { return bytes.size() > 11 ? bytes[11] : 0; }
    std::string Name() const { return MessageName(MessageClass(), MessageId()); }
};

// Which frames a wait accepts; an unset member accepts any value.
struct FrameMatch {
    std::optional<Channel> channel;
    std::optional<uint8_t> messageClass;
    std::optional<uint8_t> messageId;

    bool Accepts(const ReceivedFrame& frame) const;
    // By catalogue name (WIDE_LINK_TEST, ...); nullopt for an unknown name.
    static std::optional<FrameMatch> ByName(std::string_view name);
    // Every frame of one channel.
    static FrameMatch On(Channel channel);
};

// How the link-test port is listened to. A phone on the same host binds the
// link-test port itself to send from it, so there the simulator can only
// observe it (POSIX, needs raw-socket privilege); a UDP socket serves a
// phone on another host.
enum class LinkTestListening { None, Udp, Observe };

struct SimulatorOptions {
    System system = System::KorvenHost;
    std::string address = "127.0.0.1";
    uint16_t signalPort = 0;  // 0 picks a free port
    LinkTestListening linkTest = LinkTestListening::None;
    uint16_t linkTestPort = 9000;
    // Answer WIDE_PHONE_START with LARGE_VERS_CHECK and LARGE_INITIAL_END.
    bool answerRegistration = true;
    RegistrationAnswer registration;
    // Called on the simulator's thread for every frame received.
    std::function<void(const ReceivedFrame&)> onReceive;
};

class PbxSimulator {
public:
    explicit PbxSimulator(SimulatorOptions options = {});
    ~PbxSimulator();
    PbxSimulator(const PbxSimulator&) = delete;
    PbxSimulator& operator=(const PbxSimulator&) = delete;

    // Opens the ports and starts listening; false with a reason.
    bool Start(std::string& error);
    void Stop();

    System SystemType() const { return options_.system; }
    const std::string& Address() const { return options_.address; }
    uint16_t SignalPort() const { return signal_.LocalPort(); }

    // The phone frames are sent to: set here, or the sender of the last
    // frame on the signalling port.
    void SetPhone(const Peer& phone);
    std::optional<Peer> Phone() const;
    // Sends one frame to the phone from the signalling port.
    bool Send(const std::vector<uint8_t>& frame);

    std::vector<ReceivedFrame> Received() const;
    size_t ReceivedCount() const;
    void ClearReceived();
    // The first frame from index `from` on that the match accepts, waiting
    // for it at most `timeout`. `index` receives its position.
    std::optional<ReceivedFrame> WaitFor(const FrameMatch& match, std::chrono::milliseconds timeout, size_t from = 0,
                                         size_t* index = nullptr);
    // True once at least count frames have been received.
    bool WaitForCount(size_t count, std::chrono::milliseconds timeout);

private:
    void Listen(DatagramPort& port, Channel channel);
    void Record(ReceivedFrame frame);
    void Answer(const ReceivedFrame& frame);

    SimulatorOptions options_;
    DatagramPort signal_;
    DatagramPort linkTest_;
    std::atomic<bool> running_{false};
    std::vector<std::thread> threads_;

    mutable std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<ReceivedFrame> received_;
    std::optional<Peer> phone_;
};

}  // namespace korven::pbxsim
