#include "requests/request_sequence.h"

#include <gtest/gtest.h>

#include "transport/loopback_session.h"

namespace korven::test {
namespace {

constexpr RequestTraits kShortForm{"KORVEN_WideTest", 0x0D, HeaderForm::B, SendPath::Iap};
constexpr RequestTraits kKeeping{"KORVEN_WideTest", 0x0D, HeaderForm::C, SendPath::Stored, ErrorOnSuccess::Keep,
                               "after the send"};
constexpr uint8_t kTag[2] = {0xA1, 0xB2};

class RequestSequenceTest : public LoopbackTest {};

TEST_F(RequestSequenceTest, KorvenhostAlwaysUsesFormA) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost));
    SetIapRegistration(kTag, "127.0.0.1", 0);
    Frame frame(14, 0);
    WriteRequestHeader(theApp(), kShortForm, frame.data(), 14);
    EXPECT_EQ(frame, (Frame{0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0E, 0x06, 0x10, 0x10, 0x11, 0x29, 0x0D, 0, 0}));
}

TEST_F(RequestSequenceTest, IapUsesTheRequestsFormWithTheStationTag) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::Iap));
    Frame frame(12, 0);
    WriteRequestHeader(theApp(), kShortForm, frame.data(), 12);
    EXPECT_EQ(frame, (Frame{0x7E, 0x80, 0x00, 0x00, 0x00, 0x0C, 0x02, 0x8B, 0x10, 0x11, 0x27, 0x0D}));
    SetIapRegistration(kTag, "127.0.0.1", 0);
    WriteRequestHeader(theApp(), kKeeping, frame.data(), 12);
    EXPECT_EQ(frame, (Frame{0x7E, 0x80, 0xA1, 0xB2, 0x00, 0x0C, 0x07, 0x8B, 0x10, 0x11, 0x29, 0x0D}));
}

TEST_F(RequestSequenceTest, DestinationTextEndsAtItsZeroOrTheRecord) {
    SetIapRegistration(kTag, "192.168.100.200", 0);
    EXPECT_EQ(IapDestination(theApp()), "192.168.100.200");
    SetIapRegistration(kTag, "1234567890123456", 0);
    EXPECT_EQ(IapDestination(theApp()), "1234567890123456");
    ClearIapRegistration();
    EXPECT_EQ(IapDestination(theApp()), "");
}

TEST_F(RequestSequenceTest, FinishKeepsOrClearsTheErrorCodeAndLogsInOrder) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost, KORVEN_LISTEN_PHONEIF_CALLBACK));
    theApp().errorCode = KORVEN_ERR_INVALID_ARGUMENT;
    LogCapture log;
    EXPECT_EQ(FinishRequest(theApp(), kKeeping), 0);
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(FinishRequest(theApp(), kShortForm), 0);
    EXPECT_EQ(theApp().errorCode, 0);
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{"after the send", "[FN-END]KORVEN_WideTest", "[FN-END]KORVEN_WideTest"}));
}

TEST_F(RequestSequenceTest, FailedSendEndsTheRequestWithoutFurtherLines) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost));
    LogCapture log;
    ASSERT_TRUE(BeginRequest(theApp(), "[FN-BEGIN]KORVEN_WideTest : ID[%d]", 7));
    Frame frame(13, 0);
    EXPECT_EQ(SendRequest(theApp(), kKeeping, frame.data(), frame.size()), -1);
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_NO_SOCKET);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"[FN-BEGIN]KORVEN_WideTest : ID[7]"});
}

TEST_F(RequestSequenceTest, IapPathGoesToTheRecordsAddressAtRecPort) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::Iap));
    ASSERT_EQ(theApp().endpoint->CreateSocket("127.0.0.3", 6000, 0), 1);
    SetIapRegistration(kTag, "127.0.0.1", 0);
    Frame frame(13, 0);
    ASSERT_EQ(SendRequest(theApp(), kShortForm, frame.data(), frame.size()), 0);
    ASSERT_TRUE(pbx_->WaitForCount(1, 3s));
    EXPECT_EQ(pbx_->Received()[0].bytes,
              (Frame{0x7E, 0x80, 0xA1, 0xB2, 0x00, 0x0D, 0x02, 0x8B, 0x10, 0x11, 0x27, 0x0D, 0x00}));
}

TEST_F(RequestSequenceTest, BeginBeforeInitialisationFails) {
    theApp().initialised = 0;
    LogCapture log;
    EXPECT_FALSE(BeginRequest(theApp(), "[FN-BEGIN]KORVEN_WideTest"));
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_NOT_INITIALISED);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"[FN-BEGIN]KORVEN_WideTest"});
}

}  // namespace
}  // namespace korven::test
