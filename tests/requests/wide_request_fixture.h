// Common ground of the request tests: the library in callback mode with a
// recording send callback and, on IAP, the station tag learnt from a
// LARGE_VERS_CHECK; the expected headers written out by hand; and a
// loopback session whose simulated PBX decodes and answers requests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "pbxsim/demo_reactions.h"
#include "transport/frame_router.h"
#include "transport/loopback_session.h"

namespace korven::test {

constexpr uint8_t kRequestTag[2] = {0x4A, 0x5B};

enum class Form { A, B, C };

// Header of the form (B and C with kRequestTag) and length, then payload.
inline Frame Expected(Form form, uint8_t id, const Frame& payload) {
    const size_t length = 12 + payload.size();
    const bool iap = form != Form::A;
    Frame frame = {0x7E,
                   0x80,
                   iap ? kRequestTag[0] : uint8_t{0xFF},
                   iap ? kRequestTag[1] : uint8_t{0xFF},
                   static_cast<uint8_t>(length >> 8),
                   static_cast<uint8_t>(length)};
    const Frame route = form == Form::A   ? Frame{0x06, 0x10, 0x10, 0x11, 0x29}
                        : form == Form::B ? Frame{0x02, 0x8B, 0x10, 0x11, 0x27}
                                          : Frame{0x07, 0x8B, 0x10, 0x11, 0x29};
    frame.insert(frame.end(), route.begin(), route.end());
    frame.push_back(id);
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

inline Frame Repeat(size_t n, uint8_t byte) { return Frame(n, byte); }
inline Frame Concat(std::initializer_list<Frame> parts) {
    Frame joined;
    for (const Frame& part : parts) joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}
inline Frame TextBytes(const std::string& text) { return Frame(text.begin(), text.end()); }

class WideRequestTest : public ::testing::Test {
protected:
    void Init(pbxsim::System system) {
        const bool iap = system == pbxsim::System::Iap;
        ASSERT_EQ(KORVEN_Init(window_.handle(), iap ? KORVEN_SYSTEM_IAP : KORVEN_SYSTEM_KORVENHOST,
                              KORVEN_LISTEN_PHONEIF_CALLBACK),
                  0);
        ASSERT_EQ(KORVEN_CallBackRegFnSendLawPacket(SendRecorder::Record), 0);
        if (iap) {
            pbxsim::RegistrationAnswer answer;
            std::copy(kRequestTag, kRequestTag + 2, answer.stationTag);
            Feed(pbxsim::BuildVersCheck(system, answer));
        }
        SendRecorder::Clear();
    }

    void TearDown() override {
        ClearRawFrameCallbacks();
        ClearIapRegistration();
        theApp().appWindow = nullptr;
    }

    static void Feed(const Frame& frame) { ProcessLargeFrame(theApp(), FrameReader(frame.data(), frame.size())); }

    static Frame OnlySent() {
        const std::vector<Frame> frames = SendRecorder::Frames();
        EXPECT_EQ(frames.size(), 1u);
        return frames.empty() ? Frame{} : frames.back();
    }

    // The request fails with code, sends nothing and writes no end line.
    static void ExpectRefused(const std::function<int()>& request, int code) {
        SendRecorder::Clear();
        LogCapture log;
        EXPECT_EQ(request(), -1);
        EXPECT_EQ(CountLinesStartingWith(log, "[FN-END]"), 0u);
        EXPECT_EQ(theApp().errorCode, code);
        EXPECT_EQ(SendRecorder::Count(), 0u);
    }

    TestWindow window_;
};

// A registered KORVENHOST session whose PBX logs every request decoded into
// decoded_ and answers with the demo reactions.
class DemoLoopbackTest : public LoopbackTest {
protected:
    void StartDemo() {
        pbxsim::SimulatorOptions options;
        reactions_.Attach(options);
        ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost, KORVEN_LISTEN_SOFTPHONE_SOCKET, std::move(options)));
        reactions_.Bind(*pbx_);
        ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
        ASSERT_TRUE(Expect("WIDE_PHONE_START"));
    }

    // The simulator's thread uses the reactions, which go before it.
    void TearDown() override {
        LoopbackTest::TearDown();
        if (pbx_) pbx_->Stop();
    }

    // Read only after the simulator has recorded the request, which orders
    // the read after the write on its thread.
    std::ostringstream decoded_;
    pbxsim::DemoReactions reactions_{&decoded_};
};

}  // namespace korven::test
