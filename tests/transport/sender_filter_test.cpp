#include "transport/sender_filter.h"

#include <gtest/gtest.h>

#include <set>

#include "transport/loopback_session.h"

namespace korven::test {
namespace {

using pbxsim::System;

// The address the IAP simulator announces in LARGE_VERS_CHECK.
constexpr char kAnnouncedAddress[] = "127.0.0.3";
const std::string kDropLine = "RecvThread : datagram from ";

class SenderFilterTest : public LoopbackTest {
protected:
    // Registers with the simulator in socket mode, the filter on before the
    // registration, and records what the receive callback is offered.
    void Register(System system) {
        pbxsim::SimulatorOptions options;
        options.registration.iapAddress = kAnnouncedAddress;
        ASSERT_NO_FATAL_FAILURE(Start(system, KORVEN_LISTEN_SOFTPHONE_SOCKET, options));
        ASSERT_EQ(KORVEN_CallBackRegFnRecvLawPacket(ReceiveRecorder::Record), 0);
        ASSERT_EQ(KORVEN_SetAcceptPbxOnly(1), 0);
        ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
        ASSERT_TRUE(WaitUntil([] { return ReceiveRecorder::Count() >= 2; })) << "registration answer not received";
        ASSERT_TRUE(pbx_->Phone());
    }
    void TearDown() override {
        theApp().acceptPbxOnly = 0;
        LoopbackTest::TearDown();
    }

    // Sends a LARGE_INITIAL_END marked with `marker` from a socket of its own
    // on that address.
    void SendFrom(const char* address, uint8_t marker) {
        pbxsim::DatagramPort port;
        std::string error;
        ASSERT_TRUE(port.Open(pbxsim::DatagramPort::Kind::Udp, address, 0, error)) << error;
        ASSERT_TRUE(port.SendTo(Marked(marker), *pbx_->Phone()));
    }
    // Sends a marked frame from the simulator and waits until it has been
    // offered to the receive callback: whatever was sent before it has been
    // dealt with then. Returns the markers offered so far.
    std::set<uint8_t> Fence(uint8_t marker) {
        EXPECT_TRUE(pbx_->Send(Marked(marker)));
        EXPECT_TRUE(WaitUntil([marker] { return Markers().count(marker) == 1; }));
        return Markers();
    }

    static Frame Marked(uint8_t marker) {
        return {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x11, 0x00, marker};
    }
    static std::set<uint8_t> Markers() {
        std::set<uint8_t> markers;
        for (const Frame& frame : ReceiveRecorder::Frames()) {
            if (frame.size() == 13 && frame[11] == 0x00 && frame[12] >= 0xA0) markers.insert(frame[12]);
        }
        return markers;
    }
};

class SenderFilterOnBothSystems : public SenderFilterTest, public ::testing::WithParamInterface<System> {};

TEST_P(SenderFilterOnBothSystems, OnlyThePbxAddressesAreParsedWhileTheFilterIsOn) {
    ASSERT_NO_FATAL_FAILURE(Register(GetParam()));
    const unsigned long long droppedBefore = theApp().foreignDatagramsDropped;
    LogCapture log;
    SendFrom("127.0.0.2", 0xA1);          // a stranger
    SendFrom("127.0.0.1", 0xA2);          // SendIP from another port
    SendFrom(kAnnouncedAddress, 0xA3);    // the IAP destination
    SendFrom("127.0.0.2", 0xA4);
    const bool iap = GetParam() == System::Iap;
    const std::set<uint8_t> expected = iap ? std::set<uint8_t>{0xA2, 0xA3, 0xAF} : std::set<uint8_t>{0xA2, 0xAF};
    EXPECT_EQ(Fence(0xAF), expected);
    EXPECT_EQ(theApp().foreignDatagramsDropped - droppedBefore, iap ? 2u : 3u);
    EXPECT_EQ(CountLinesStartingWith(log, "<-RECV[Larg[ 13][LARGE_INITIAL_END    ]"), expected.size());
    // Drops within a second share one line.
    EXPECT_EQ(CountLinesStartingWith(log, kDropLine), 1u);
    EXPECT_TRUE(log.Contains(kDropLine + "127.0.0.2 is not from the PBX, dropped (" +
                             std::to_string(droppedBefore + 1) + " so far)"));

    ASSERT_EQ(KORVEN_SetAcceptPbxOnly(0), 0);
    SendFrom("127.0.0.2", 0xA5);
    EXPECT_EQ(Fence(0xAE).count(0xA5), 1u);
}

INSTANTIATE_TEST_SUITE_P(BothSystems, SenderFilterOnBothSystems, ::testing::Values(System::KorvenHost, System::Iap),
                         [](const ::testing::TestParamInfo<System>& param) {
                             return param.param == System::Iap ? std::string("Iap") : std::string("KorvenHost");
                         });

TEST_F(SenderFilterTest, CallbackModeOffersEveryDatagram) {
    // In callback mode the registration goes to the send callback only, so
    // the socket is bound to a known port for the simulator to send to.
    ASSERT_NO_FATAL_FAILURE(Start(System::KorvenHost, KORVEN_LISTEN_PHONEIF_CALLBACK));
    pbxsim::DatagramPort probe;
    std::string error;
    ASSERT_TRUE(probe.Open(pbxsim::DatagramPort::Kind::Udp, "0.0.0.0", 0, error)) << error;
    const uint16_t listenPort = probe.LocalPort();
    probe.Close();
    ASSERT_EQ(KORVEN_SetListenPort(listenPort), 0);
    ASSERT_EQ(KORVEN_CallBackRegFnRecvLawPacket(ReceiveRecorder::Record), 0);
    ASSERT_EQ(KORVEN_SetAcceptPbxOnly(1), 0);
    ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
    pbx_->SetPhone({"127.0.0.1", listenPort});
    const unsigned long long droppedBefore = theApp().foreignDatagramsDropped;
    SendFrom("127.0.0.2", 0xA1);
    EXPECT_EQ(Fence(0xAF).count(0xA1), 1u);
    EXPECT_EQ(theApp().foreignDatagramsDropped, droppedBefore);
}

TEST(SetAcceptPbxOnly, TakesZeroOrOneAfterInit) {
    TestWindow window;
    const int initialised = theApp().initialised.exchange(0);
    EXPECT_EQ(KORVEN_SetAcceptPbxOnly(1), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_INITIALISED);
    theApp().initialised = initialised;
    ASSERT_EQ(KORVEN_Init(window.handle(), KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_SOFTPHONE_SOCKET), 0);
    LogCapture log;
    for (const int invalid : {2, -1}) {
        EXPECT_EQ(KORVEN_SetAcceptPbxOnly(invalid), -1);
        EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_INVALID_ARGUMENT);
    }
    EXPECT_EQ(theApp().acceptPbxOnly, 0);
    EXPECT_EQ(KORVEN_SetAcceptPbxOnly(1), 0);
    EXPECT_EQ(KORVEN_GetErrorCode(), 0);
    EXPECT_TRUE(log.Contains("[FN-BEGIN]KORVEN_SetAcceptPbxOnly : Accept[1]"));
    EXPECT_TRUE(log.Contains("[FN-END]KORVEN_SetAcceptPbxOnly"));
    EXPECT_EQ(KORVEN_SetAcceptPbxOnly(0), 0);
    theApp().appWindow = nullptr;
}

}  // namespace
}  // namespace korven::test
