#include "transport/sender_filter.h"

#include <gtest/gtest.h>

#include <set>

#include "transport/loopback_session.h"

namespace korven::test {
namespace {

using pbxsim::System;

const std::string kDropLine = "RecvThread : datagram from ";

// Every sender here is on 127.0.0.1 (Wine reports that address for any
// loopback sender); moving SendIP or the announced address away makes it a
// stranger.
class SenderFilterTest : public LoopbackTest {
protected:
    // Registers with the simulator in socket mode, the filter on before the
    // registration, and records what the receive callback is offered.
    void Register(System system) {
        ASSERT_NO_FATAL_FAILURE(Start(system));
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

    // Sends a LARGE_INITIAL_END marked with `marker` from a port other than
    // the simulator's.
    void SendFromAnotherPort(uint8_t marker) {
        pbxsim::DatagramPort port;
        std::string error;
        ASSERT_TRUE(port.Open(pbxsim::DatagramPort::Kind::Udp, "127.0.0.1", 0, error)) << error;
        ASSERT_TRUE(port.SendTo(Marked(marker), *pbx_->Phone()));
    }
    bool Arrives(uint8_t marker) {
        return WaitUntil([marker] { return Markers().count(marker) == 1; });
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
    const bool iap = GetParam() == System::Iap;
    const unsigned long long before = theApp().foreignDatagramsDropped;
    const auto dropped = [before] { return theApp().foreignDatagramsDropped - before; };
    LogCapture log;
    SendFromAnotherPort(0xA1);  // SendIP, any port
    EXPECT_TRUE(Arrives(0xA1));

    char elsewhere[] = "127.0.0.9";
    ASSERT_EQ(KORVEN_SetSendIP(elsewhere), 0);
    ASSERT_TRUE(pbx_->Send(Marked(0xA2)));
    // On IAP the address the simulator announced is still the PBX's.
    if (iap) {
        EXPECT_TRUE(Arrives(0xA2));
        SetIapRegistration({0x12, 0x34}, "127.0.0.8", 0);
        ASSERT_TRUE(pbx_->Send(Marked(0xA3)));
    }
    ASSERT_TRUE(pbx_->Send(Marked(0xA4)));
    EXPECT_TRUE(WaitUntil([&] { return dropped() == 2; })) << dropped();

    ASSERT_EQ(KORVEN_SetAcceptPbxOnly(0), 0);
    ASSERT_TRUE(pbx_->Send(Marked(0xAF)));
    EXPECT_TRUE(Arrives(0xAF));
    EXPECT_EQ(Markers(), (iap ? std::set<uint8_t>{0xA1, 0xA2, 0xAF} : std::set<uint8_t>{0xA1, 0xAF}));
    EXPECT_EQ(CountLinesStartingWith(log, "<-RECV[Larg[ 13][LARGE_INITIAL_END    ]"), iap ? 3u : 2u);
    // Drops within a second share one line.
    EXPECT_EQ(CountLinesStartingWith(log, kDropLine), 1u);
    EXPECT_TRUE(
        log.Contains(kDropLine + "127.0.0.1 is not from the PBX, dropped (" + std::to_string(before + 1) + " so far)"));
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
    char elsewhere[] = "127.0.0.9";
    ASSERT_EQ(KORVEN_SetSendIP(elsewhere), 0);
    const unsigned long long before = theApp().foreignDatagramsDropped;
    ASSERT_TRUE(pbx_->Send(Marked(0xA1)));
    EXPECT_TRUE(Arrives(0xA1));
    EXPECT_EQ(theApp().foreignDatagramsDropped, before);
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
