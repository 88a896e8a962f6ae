#include "pbxsim/pbx_script.h"

#include <gtest/gtest.h>

#include <sstream>

namespace korven::pbxsim {
namespace {

class PbxScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(pbx_.Start(error)) << error;
        ASSERT_TRUE(phone_.Open(DatagramPort::Kind::Udp, "127.0.0.1", 0, error)) << error;
    }

    bool Run(const std::string& script) {
        std::istringstream in(script);
        return RunScript(pbx_, in, log_);
    }

    Bytes Next() {
        Bytes datagram;
        Peer from;
        return phone_.Receive(datagram, from, 3000) ? datagram : Bytes{};
    }

    PbxSimulator pbx_{[] {
        SimulatorOptions options;
        options.answerRegistration = false;
        return options;
    }()};
    DatagramPort phone_;
    std::ostringstream log_;
};

TEST_F(PbxScriptTest, SendsAndExpectsInOrder) {
    const Bytes request = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x29, 0x02, 0xE4};
    ASSERT_TRUE(phone_.SendTo(request, {"127.0.0.1", pbx_.SignalPort()}));
    ASSERT_TRUE(
        Run("# answer the initial request\n"
            "expect WIDE_INITIAL_REQ 3000\n"
            "send LARGE_INITIAL_END Id=9\n"
            "send LARGE_CALL_NUMBER payload=01 02\n"
            "wait 5\n"
            "send-raw 7e 80 ff ff 00 0c 06 10 10 11 10 0f\n"))
        << log_.str();
    EXPECT_EQ(Next(), (Bytes{0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x11, 0x00, 9}));
    EXPECT_EQ(Next(), (Bytes{0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0E, 0x06, 0x10, 0x10, 0x11, 0x11, 0x05, 1, 2}));
    EXPECT_EQ(Next(), (Bytes{0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0C, 0x06, 0x10, 0x10, 0x11, 0x10, 0x0F}));
}

TEST_F(PbxScriptTest, EachExpectMatchesANewFrame) {
    const Bytes request = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x29, 0x02, 0xE4};
    ASSERT_TRUE(phone_.SendTo(request, {"127.0.0.1", pbx_.SignalPort()}));
    EXPECT_FALSE(Run("expect WIDE_INITIAL_REQ\nexpect WIDE_INITIAL_REQ 50\n"));
    EXPECT_NE(log_.str().find("no WIDE_INITIAL_REQ within 50 ms"), std::string::npos) << log_.str();
}

TEST_F(PbxScriptTest, StopsAtTheFirstBadStepNamingItsLine) {
    EXPECT_FALSE(Run("wait 1\nsing LARGE_INITIAL_END\nwait 1\n"));
    EXPECT_NE(log_.str().find("script stopped at line 2"), std::string::npos) << log_.str();
    EXPECT_FALSE(Run("phone 127.0.0.1 70000\n"));
    EXPECT_FALSE(Run("send LARGE_INITIAL_END Id=300\n"));
    EXPECT_FALSE(Run("send LARGE_NOTHING\n"));
}

TEST_F(PbxScriptTest, SendNeedsAPhone) {
    EXPECT_FALSE(Run("send LARGE_INITIAL_END\n"));
    EXPECT_NE(log_.str().find("no phone to send to"), std::string::npos);
    EXPECT_TRUE(Run("phone 127.0.0.1 " + std::to_string(phone_.LocalPort()) + "\nsend LARGE_INITIAL_END\n"));
    EXPECT_EQ(Next().size(), 13u);
}

}  // namespace
}  // namespace korven::pbxsim
