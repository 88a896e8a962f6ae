#include "transport/send_steps.h"

#include <gtest/gtest.h>

#include "transport/loopback_session.h"

namespace korven::test {
namespace {

class SendStepsTest : public LoopbackTest {
protected:
    Frame frame_ = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x29, 0x02, 0xE4};
};

TEST_F(SendStepsTest, CallbackModeDeliversToTheSendCallbackOnly) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost, KORVEN_LISTEN_PHONEIF_CALLBACK));
    SetSendCallback(SendRecorder::Record);
    theApp().errorCode = KORVEN_ERR_INVALID_ARGUMENT;
    EXPECT_EQ(SendFrame(theApp(), frame_.data(), frame_.size()), 1);
    EXPECT_EQ(SendFrameTo(theApp(), frame_.data(), frame_.size(), "127.0.0.1", pbx_->SignalPort()), 1);
    EXPECT_EQ(SendRecorder::Frames(), (std::vector<Frame>{frame_, frame_}));
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_INVALID_ARGUMENT);
    EXPECT_FALSE(pbx_->WaitForCount(1, 100ms));
}

TEST_F(SendStepsTest, SocketModeOffersTheFrameThenSendsIt) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost));
    SetSendCallback(SendRecorder::Record);
    EXPECT_EQ(SendFrame(theApp(), frame_.data(), frame_.size()), 0);
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_NO_SOCKET);
    EXPECT_EQ(SendRecorder::Count(), 1u);

    ASSERT_EQ(theApp().endpoint->CreateSocket("127.0.0.1", pbx_->SignalPort(), 0), 1);
    EXPECT_EQ(SendFrame(theApp(), frame_.data(), frame_.size()), 1);
    EXPECT_EQ(SendFrameTo(theApp(), frame_.data(), frame_.size(), "127.0.0.1", pbx_->SignalPort()), 1);
    EXPECT_TRUE(pbx_->WaitForCount(2, 3s));
    EXPECT_EQ(SendRecorder::Count(), 3u);
}

}  // namespace
}  // namespace korven::test
