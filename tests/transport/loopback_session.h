// Common ground of the tests that run the library against the simulated PBX
// over real loopback sockets: the library initialised on a test window and
// configured to register with the simulator, and recorders for the
// raw-frame callbacks.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#if !defined(_WIN32)
#  include <fcntl.h>
#  include <sys/file.h>
#  include <unistd.h>
#endif

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "pbxsim/pbx_simulator.h"
#include "support/log_capture.h"
#include "support/test_window.h"
#include "transport/raw_frame_callbacks.h"
#include "transport/udp_endpoint.h"

namespace korven::test {

using Frame = std::vector<uint8_t>;
using namespace std::chrono_literals;

// Polls until the condition holds or the time is up; returns the condition.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = 3s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return condition();
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// Log messages since the capture began that start with prefix.
inline size_t CountLinesStartingWith(const LogCapture& log, const std::string& prefix) {
    size_t count = 0;
    for (const std::string& message : log.Messages()) count += message.compare(0, prefix.size(), prefix) == 0;
    return count;
}

// Records what a raw-frame callback is given. Each Slot is one recorder.
template <int Slot>
struct FrameRecorder {
    static int KORVEN_STDCALL Record(void* frame, int length) {
        const auto* bytes = static_cast<const uint8_t*>(frame);
        std::lock_guard<std::mutex> guard(Lock());
        Store().emplace_back(bytes, bytes + length);
        return 0;
    }
    static std::vector<Frame> Frames() {
        std::lock_guard<std::mutex> guard(Lock());
        return Store();
    }
    static size_t Count() { return Frames().size(); }
    static void Clear() {
        std::lock_guard<std::mutex> guard(Lock());
        Store().clear();
    }

private:
    static std::mutex& Lock() {
        static std::mutex lock;
        return lock;
    }
    static std::vector<Frame>& Store() {
        static std::vector<Frame> frames;
        return frames;
    }
};
using SendRecorder = FrameRecorder<0>;
using ReceiveRecorder = FrameRecorder<1>;

// Held by every test that uses local port 9000: the link tests of
// parallel test processes would collide there.
class LinkTestPortLock {
public:
    LinkTestPortLock(const LinkTestPortLock&) = delete;
    LinkTestPortLock& operator=(const LinkTestPortLock&) = delete;
#if defined(_WIN32)
    LinkTestPortLock() : mutex_(CreateMutexA(nullptr, FALSE, "korven-link-test-port")) {
        if (mutex_ != nullptr) WaitForSingleObject(mutex_, INFINITE);
    }
    ~LinkTestPortLock() {
        if (mutex_ == nullptr) return;
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }

private:
    HANDLE mutex_;
#else
    LinkTestPortLock() : fd_(open("/tmp/korven-link-test-port.lock", O_CREAT | O_RDWR | O_CLOEXEC, 0666)) {
        if (fd_ >= 0) flock(fd_, LOCK_EX);
    }
    ~LinkTestPortLock() {
        if (fd_ >= 0) close(fd_);
    }

private:
    int fd_;
#endif
};

// Writes the IAP registration record as LARGE_VERS_CHECK would leave it.
inline void SetIapRegistration(const uint8_t (&tag)[2], const char* address, uint8_t keepAliveByte) {
    CKorvenSignalLibApp& app = theApp();
    std::lock_guard<std::mutex> guard(app.recordLock);
    uint8_t* record = app.large.iapRegistration;
    std::memset(record, 0, sizeof app.large.iapRegistration);
    record[26] = keepAliveByte;
    record[32] = tag[0];
    record[33] = tag[1];
    // A 16-byte field, not terminated when full.
    std::memcpy(record + 52, address, strnlen(address, 16));
}

inline void ClearIapRegistration() {
    CKorvenSignalLibApp& app = theApp();
    std::lock_guard<std::mutex> guard(app.recordLock);
    std::memset(app.large.iapRegistration, 0, sizeof app.large.iapRegistration);
}

// A fixed MAC and local address, so that payloads are known byte for byte.
constexpr uint8_t kTestMac[6] = {0x00, 0x1B, 0x21, 0x3C, 0x4D, 0x5E};
constexpr char kTestLocalIp[] = "10.20.30.40";

class LoopbackTest : public ::testing::Test {
protected:
    // Starts the simulator and initialises the library to register with it
    // from an unbound local port (ListenPort 0), notifying by POST.
    void Start(pbxsim::System system, int listenMode = KORVEN_LISTEN_SOFTPHONE_SOCKET,
               pbxsim::SimulatorOptions options = {}) {
        options.system = system;
        pbx_ = std::make_unique<pbxsim::PbxSimulator>(std::move(options));
        std::string error;
        ASSERT_TRUE(pbx_->Start(error)) << error;
        const int systemType = system == pbxsim::System::Iap ? KORVEN_SYSTEM_IAP : KORVEN_SYSTEM_KORVENHOST;
        ASSERT_EQ(KORVEN_Init(window_.handle(), systemType, listenMode), 0);
        ASSERT_EQ(KORVEN_SetWindowMessageType(KORVEN_WINDOW_MESSAGE_POST), 0);
        char sendIp[] = "127.0.0.1";
        char userId[] = "1001";
        char password[] = "5803";
        char localIp[sizeof kTestLocalIp];
        std::memcpy(localIp, kTestLocalIp, sizeof kTestLocalIp);
        ASSERT_EQ(KORVEN_SetSendIP(sendIp), 0);
        ASSERT_EQ(KORVEN_SetLocalIP(localIp), 0);
        ASSERT_EQ(KORVEN_SetRecPort(pbx_->SignalPort()), 0);
        ASSERT_EQ(KORVEN_SetListenPort(0), 0);
        ASSERT_EQ(KORVEN_SetUserID(userId), 0);
        ASSERT_EQ(KORVEN_SetUserPassword(password), 0);
        {
            std::lock_guard<std::mutex> guard(theApp().configLock);
            std::memcpy(theApp().localMAC, kTestMac, sizeof kTestMac);
        }
        SendRecorder::Clear();
        ReceiveRecorder::Clear();
    }

    void TearDown() override {
        theApp().endpoint->CloseSocket();
        ClearRawFrameCallbacks();
        ClearIapRegistration();
        theApp().appWindow = nullptr;
    }

    // The next frame of that name the simulator receives after index `from`.
    std::optional<pbxsim::ReceivedFrame> Expect(const char* name, size_t from = 0,
                                                std::chrono::milliseconds timeout = 3s) {
        const auto match = pbxsim::FrameMatch::ByName(name);
        return match ? pbx_->WaitFor(*match, timeout, from) : std::nullopt;
    }

    TestWindow window_;
    std::unique_ptr<pbxsim::PbxSimulator> pbx_;
};

}  // namespace korven::test
