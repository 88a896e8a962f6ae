// The PBX side of the soak: the simulator on a loopback port and a thread
// that sends it a steady, mixed stream of frames (display repaints, call
// state, menus, SMS, link tests, LEDs, rings) while traffic flows.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "pbxsim/pbx_simulator.h"

namespace korven::soak {

// Frame n of the stream: the kinds take turns; the display's second line
// says "Call " and the repaint's number, counted from 1.
pbxsim::Bytes StreamFrame(pbxsim::System system, uint32_t n);
constexpr int kStreamKinds = 10;

class PbxTraffic {
public:
    PbxTraffic(pbxsim::System system, int framesPerSecond);
    ~PbxTraffic();
    PbxTraffic(const PbxTraffic&) = delete;
    PbxTraffic& operator=(const PbxTraffic&) = delete;

    // Starts the simulator on a free port (and the sending thread, paused).
    bool Start(std::string& error);
    uint16_t Port() const { return port_; }

    // The stream flows while resumed; Pause returns once no frame is being
    // sent.
    void Resume();
    void Pause();
    // The simulator stops answering (its port closes), then comes back on
    // the same port. Traffic must be paused.
    void GoSilent();
    bool ComeBack(std::string& error);

    uint64_t FramesSent() const { return sent_; }
    // Requests (Wide frames) the simulator received on its signalling port.
    uint64_t RequestsReceived() const { return requests_; }

private:
    void Run();
    bool Open(uint16_t port, std::string& error);

    const pbxsim::System system_;
    const int framesPerSecond_;
    uint16_t port_ = 0;
    std::unique_ptr<pbxsim::PbxSimulator> simulator_;
    std::atomic<uint64_t> sent_{0};
    std::atomic<uint64_t> requests_{0};

    std::mutex lock_;
    std::condition_variable changed_;
    bool flowing_ = false;
    bool sending_ = false;
    bool ending_ = false;
    std::thread thread_;
};

}  // namespace korven::soak
