#include "pbxsim/pbx_simulator.h"

#include <gtest/gtest.h>

namespace korven::pbxsim {
namespace {

using namespace std::chrono_literals;

const Bytes kPhoneStart = [] {
    Bytes frame(78, 0);
    const Bytes header = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 78, 0x06, 0x10, 0x10, 0x11, 0x29, 0x01};
    std::copy(header.begin(), header.end(), frame.begin());
    return frame;
}();

// A phone's socket on loopback.
struct Phone {
    Phone() {
        std::string error;
        EXPECT_TRUE(port.Open(DatagramPort::Kind::Udp, "127.0.0.1", 0, error)) << error;
    }
    Bytes Next() {
        Bytes datagram;
        Peer from;
        return port.Receive(datagram, from, 3000) ? datagram : Bytes{};
    }
    DatagramPort port;
};

TEST(PbxSimulator, AnswersARegistrationWithVersionCheckAndInitialEnd) {
    SimulatorOptions options;
    options.system = System::Iap;
    PbxSimulator pbx(options);
    std::string error;
    ASSERT_TRUE(pbx.Start(error)) << error;
    Phone phone;
    ASSERT_TRUE(phone.port.SendTo(kPhoneStart, {"127.0.0.1", pbx.SignalPort()}));
    RegistrationAnswer expected;
    expected.iapAddress = "127.0.0.1";  // the simulator's own address
    EXPECT_EQ(phone.Next(), BuildVersCheck(System::Iap, expected));
    EXPECT_EQ(phone.Next(), BuildInitialEnd(System::Iap, RegistrationAnswer{}));
    const auto received = pbx.WaitFor(*FrameMatch::ByName("WIDE_PHONE_START"), 3s);
    ASSERT_TRUE(received);
    EXPECT_EQ(received->channel, Channel::Signal);
    EXPECT_EQ(received->from.port, phone.port.LocalPort());
    EXPECT_EQ(pbx.Phone()->port, phone.port.LocalPort());
}

TEST(PbxSimulator, RecordsFramesAndWaitsFromAnIndex) {
    SimulatorOptions options;
    options.answerRegistration = false;
    PbxSimulator pbx(options);
    std::string error;
    ASSERT_TRUE(pbx.Start(error)) << error;
    EXPECT_FALSE(pbx.Send(kPhoneStart));
    Phone phone;
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(phone.port.SendTo(kPhoneStart, {"127.0.0.1", pbx.SignalPort()}));
    ASSERT_TRUE(pbx.WaitForCount(2, 3s));
    size_t index = 0;
    EXPECT_TRUE(pbx.WaitFor(FrameMatch::On(Channel::Signal), 1s, 1, &index));
    EXPECT_EQ(index, 1u);
    EXPECT_FALSE(pbx.WaitFor(FrameMatch::On(Channel::Signal), 50ms, 2));
    EXPECT_TRUE(pbx.Send(BuildInitialEnd(System::KorvenHost, RegistrationAnswer{})));
    EXPECT_EQ(phone.Next().size(), 13u);
}

TEST(PbxSimulator, WideMatchesAcceptTheIapShortForm) {
    ReceivedFrame shortForm{Channel::Signal, Peer{"127.0.0.1", 6000},
                            Bytes{0x7E, 0x80, 0, 0, 0, 13, 0x02, 0x8B, 0x10, 0x11, 0x27, 39, 0}};
    EXPECT_TRUE(FrameMatch::ByName("WIDE_INITIAL_END")->Accepts(shortForm));
    EXPECT_FALSE(FrameMatch::ByName("LARGE_SMS_ALLREQ")->Accepts(shortForm));
}

}  // namespace
}  // namespace korven::pbxsim
