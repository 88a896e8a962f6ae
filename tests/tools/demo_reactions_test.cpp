#include "pbxsim/demo_reactions.h"

#include <gtest/gtest.h>

#include "pbxsim/builders/display_painter.h"
#include "pbxsim/builders/large_call_state.h"

namespace korven::pbxsim {
namespace {

constexpr int kWaitMs = 3000;
constexpr int kQuietMs = 300;

// A Wide frame of the given length and id, payload from b12.
Bytes Wide(uint8_t length, uint8_t id, const Bytes& payload) {
    Bytes frame = {0x7E, 0x80, 0xFF, 0xFF, 0x00, length, 0x06, 0x10, 0x10, 0x11, 0x29, id};
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.resize(length, 0xFF);
    return frame;
}

const Bytes kPhoneStart = Wide(78, 1, Bytes(66, 0));
const Bytes kDial1234 = Wide(30, 5, {0x12, 0x34});
const Bytes kOnHook = Wide(14, 0, {kOnHookEventType, kOnHookEventCode});
const Bytes kOtherEvent = Wide(14, 0, {kOnHookEventType, 7});

class DemoReactionsTest : public ::testing::Test {
protected:
    void Start(bool progression) {
        if (progression) reactions_.EnableCallProgression();
        SimulatorOptions options;
        reactions_.Attach(options);
        pbx_ = std::make_unique<PbxSimulator>(std::move(options));
        reactions_.Bind(*pbx_);
        std::string error;
        ASSERT_TRUE(pbx_->Start(error)) << error;
        ASSERT_TRUE(phone_.Open(DatagramPort::Kind::Udp, "127.0.0.1", 0, error)) << error;
    }
    void TearDown() override {
        if (pbx_) pbx_->Stop();
    }
    void Send(const Bytes& frame) { ASSERT_TRUE(phone_.SendTo(frame, {"127.0.0.1", pbx_->SignalPort()})); }
    Bytes Next(int timeoutMs = kWaitMs) {
        Bytes datagram;
        Peer from;
        return phone_.Receive(datagram, from, timeoutMs) ? datagram : Bytes{};
    }
    void ExpectFrames(const std::vector<Bytes>& expected) {
        for (const Bytes& frame : expected) EXPECT_EQ(Next(), frame);
        EXPECT_EQ(Next(kQuietMs), Bytes{});
    }

    DemoReactions reactions_;
    std::unique_ptr<PbxSimulator> pbx_;
    DatagramPort phone_;
};

TEST_F(DemoReactionsTest, CallProgressionPlaysIdleRingingConnectAndHangUp) {
    ASSERT_NO_FATAL_FAILURE(Start(true));
    const RegistrationAnswer answer;
    Send(kPhoneStart);
    ExpectFrames({BuildVersCheck(System::KorvenHost, answer), BuildInitialEnd(System::KorvenHost, answer),
                  LargeIdleStatus({}), DisplayFrame({"Ready", ""})});

    Send(kDial1234);
    CallNumberFields dialled;
    dialled.number = BcdBytes("1234", 8);
    dialled.name = "";
    dialled.length = 42;
    ExpectFrames({LargeCallStatus(5), LargeDialNumber(dialled), DisplayFrame({"Calling", "1234"}), LargeCallStatus(0),
                  DisplayFrame({"Connected", "1234"})});

    Send(kOtherEvent);
    ExpectFrames({});
    Send(kOnHook);
    ExpectFrames({LargeCallDisconnect(), LargeCallStatus(1), DisplayFrame({"Ready", ""})});
}

TEST_F(DemoReactionsTest, WithoutProgressionOnlyTheRingingIsAnswered) {
    ASSERT_NO_FATAL_FAILURE(Start(false));
    Send(kPhoneStart);
    EXPECT_FALSE(Next().empty());
    EXPECT_FALSE(Next().empty());
    EXPECT_EQ(Next(kQuietMs), Bytes{});
    Send(kDial1234);
    EXPECT_EQ(Next(), LargeCallStatus(5));
    EXPECT_FALSE(Next().empty());
    EXPECT_FALSE(Next().empty());
    EXPECT_EQ(Next(kQuietMs), Bytes{});
    Send(kOnHook);
    EXPECT_EQ(Next(kQuietMs), Bytes{});
}

}  // namespace
}  // namespace korven::pbxsim
