#include "soak/pbx_traffic.h"

#include <chrono>
#include <cstdio>

#include "pbxsim/builders/display_painter.h"
#include "pbxsim/builders/large_call_state.h"
#include "pbxsim/builders/large_indicator.h"
#include "pbxsim/builders/large_menu_key.h"
#include "pbxsim/builders/large_system_link.h"
#include "pbxsim/builders/large_text_sms.h"
#include "pbxsim/builders/normal_messages.h"

namespace korven::soak {

using pbxsim::Bytes;
using pbxsim::System;

Bytes StreamFrame(System system, uint32_t n) {
    const uint32_t repaint = n / kStreamKinds + 1;
    char line2[17];
    std::snprintf(line2, sizeof line2, "Call %06u", static_cast<unsigned>(repaint % 1000000));
    switch (n % kStreamKinds) {
        case 0:
            return pbxsim::DisplayFrame({"Reception", line2, repaint % 2 == 0, 20}, system);
        case 1:
            return pbxsim::LargeCallStatus(static_cast<uint8_t>(repaint % 12), system);
        case 2: {
            auto fields = pbxsim::DefaultFields<pbxsim::CallNumberFields>(system);
            fields.id = repaint;
            return pbxsim::LargeCallNumber(fields);
        }
        case 3:
            return pbxsim::LargeSoftMenu(pbxsim::DefaultFields<pbxsim::SoftMenuFields>(system));
        case 4:
            return pbxsim::LargeSoftList(pbxsim::DefaultFields<pbxsim::SoftListFields>(system));
        case 5:
            return pbxsim::LargeSmsRecv(pbxsim::DefaultFields<pbxsim::SmsFields>(system));
        case 6:
            return pbxsim::LargeLinkTest(system);
        case 7:
            return pbxsim::NormalValueMessage(pbxsim::NormalValue::Ring, static_cast<uint8_t>(repaint % 10), system);
        case 8: {
            auto fields = pbxsim::DefaultFields<pbxsim::LedDataFields>(system);
            fields.leds[0] = static_cast<uint8_t>(repaint);
            return pbxsim::LargeLedData(fields);
        }
        default:
            return pbxsim::NormalDuration(
                {0, static_cast<uint8_t>(repaint / 60 % 60), static_cast<uint8_t>(repaint % 60)}, system);
    }
}

PbxTraffic::PbxTraffic(System system, int framesPerSecond) : system_(system), framesPerSecond_(framesPerSecond) {}

PbxTraffic::~PbxTraffic() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        ending_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool PbxTraffic::Open(uint16_t port, std::string& error) {
    pbxsim::SimulatorOptions options;
    options.system = system_;
    options.signalPort = port;
    options.onReceive = [this](const pbxsim::ReceivedFrame& frame) {
        if (frame.channel == pbxsim::Channel::Signal) ++requests_;
    };
    simulator_ = std::make_unique<pbxsim::PbxSimulator>(options);
    if (!simulator_->Start(error)) return false;
    port_ = simulator_->SignalPort();
    return true;
}

bool PbxTraffic::Start(std::string& error) {
    if (!Open(0, error)) return false;
    thread_ = std::thread(&PbxTraffic::Run, this);
    return true;
}

void PbxTraffic::Resume() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        flowing_ = true;
    }
    changed_.notify_all();
}

void PbxTraffic::Pause() {
    std::unique_lock<std::mutex> guard(lock_);
    flowing_ = false;
    changed_.wait(guard, [this] { return !sending_; });
}

void PbxTraffic::GoSilent() { simulator_.reset(); }

bool PbxTraffic::ComeBack(std::string& error) { return Open(port_, error); }

void PbxTraffic::Run() {
    const auto interval = std::chrono::microseconds(1000000 / framesPerSecond_);
    auto next = std::chrono::steady_clock::now();
    uint32_t n = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> guard(lock_);
            sending_ = false;
            changed_.notify_all();
            changed_.wait(guard, [this] { return flowing_ || ending_; });
            if (ending_) return;
            sending_ = true;
        }
        const auto now = std::chrono::steady_clock::now();
        if (next < now - interval * 10) next = now;  // resumed after a pause: no burst to catch up
        std::this_thread::sleep_until(next);
        next += interval;
        if (simulator_->Send(StreamFrame(system_, n))) {
            ++n;
            ++sent_;
        }
        // The simulator keeps what it receives; the soak only counts it.
        if (n % 256 == 0) simulator_->ClearReceived();
    }
}

}  // namespace korven::soak
