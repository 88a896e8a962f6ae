// Registration and keep-alive requests against the simulated PBX over
// loopback sockets.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "requests/request_sequence.h"
#include "transport/loopback_session.h"

namespace korven::test {
namespace {

using pbxsim::Channel;
using pbxsim::System;

void Put(Frame& frame, size_t offset, std::initializer_list<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), frame.begin() + static_cast<std::ptrdiff_t>(offset));
}

void PutText(Frame& frame, size_t offset, const char* text) {
    std::memcpy(frame.data() + offset, text, std::strlen(text));
}

// WIDE_PHONE_START of user 1001, password 5803, from kTestLocalIp and
// kTestMac to 127.0.0.1.
Frame ExpectedPhoneStart(System system) {
    const bool iap = system == System::Iap;
    Frame frame(iap ? 92 : 78, 0);
    Put(frame, 0, {0x7E, 0x80, 0xFF, 0xFF, 0x00, static_cast<uint8_t>(frame.size())});
    Put(frame, 6,
        iap ? std::initializer_list<uint8_t>{0x07, 0x8B, 0x10, 0x11, 0x29, 0x01}
            : std::initializer_list<uint8_t>{0x06, 0x10, 0x10, 0x11, 0x29, 0x01});
    if (!iap) Put(frame, 12, {0x03, 0x01});
    Put(frame, 14, {127, 0, 0, 1, 10, 20, 30, 40});
    std::memcpy(frame.data() + 22, kTestMac, sizeof kTestMac);
    PutText(frame, 30, "1001");
    PutText(frame, 46, "5803    ");
    Put(frame, 54, {static_cast<uint8_t>(iap ? 0x72 : 0x63), 0x01});
    if (iap) {
        PutText(frame, 56, "5803    5803    ");
        Put(frame, 72, {0x17, 0x70, 0x01, 0x00});
        PutText(frame, 76, "1001");
    }
    return frame;
}

uint16_t FreeLocalPort() {
    pbxsim::DatagramPort port;
    std::string error;
    return port.Open(pbxsim::DatagramPort::Kind::Udp, "0.0.0.0", 0, error) ? port.LocalPort() : 0;
}

class RegistrationTest : public LoopbackTest {};

TEST_F(RegistrationTest, KorvenhostRegistrationSendsTheExactFrameAndReceivesTheAnswers) {
    ASSERT_NO_FATAL_FAILURE(Start(System::KorvenHost));
    LogCapture log;
    ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
    EXPECT_EQ(KORVEN_GetErrorCode(), 0);
    const auto start = Expect("WIDE_PHONE_START");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->bytes, ExpectedPhoneStart(System::KorvenHost));
    EXPECT_TRUE(log.Contains("[FN-END]KORVEN_WidePhoneStart"));
    // The answers reach the parser on the receive thread.
    EXPECT_TRUE(WaitUntil([&] { return CountLinesStartingWith(log, "<-RECV[Larg[ 13][LARGE_INITIAL_END") == 1; }));
    EXPECT_EQ(CountLinesStartingWith(log, "<-RECV[Larg[ 37][LARGE_VERS_CHECK"), 1u);
}

TEST_F(RegistrationTest, InitialRequestAndEndKeepAnEarlierErrorCode) {
    ASSERT_NO_FATAL_FAILURE(Start(System::KorvenHost));
    ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
    ASSERT_TRUE(Expect("WIDE_PHONE_START"));
    theApp().errorCode = KORVEN_ERR_INVALID_ARGUMENT;
    ASSERT_EQ(KORVEN_WideInitialReq(), 0);
    ASSERT_EQ(KORVEN_WideInitialEnd(), 0);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_INVALID_ARGUMENT);
    const auto request = Expect("WIDE_INITIAL_REQ");
    const auto end = Expect("WIDE_INITIAL_END");
    ASSERT_TRUE(request && end);
    EXPECT_EQ(request->bytes, (Frame{0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x29, 0x02, 0xE4}));
    EXPECT_EQ(end->bytes, (Frame{0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x29, 0x27, 0x00}));
}

TEST_F(RegistrationTest, ShortUserIdIsZeroPaddedAndShortPasswordSpacePadded) {
    ASSERT_NO_FATAL_FAILURE(Start(System::KorvenHost));
    char userId[] = "abc";
    char password[] = "xy";
    ASSERT_EQ(KORVEN_SetUserID(userId), 0);
    ASSERT_EQ(KORVEN_SetUserPassword(password), 0);
    ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
    const auto start = Expect("WIDE_PHONE_START");
    ASSERT_TRUE(start);
    EXPECT_EQ(Frame(start->bytes.begin() + 30, start->bytes.begin() + 54),
              (Frame{'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'x', 'y', ' ', ' ', ' ', ' ', ' ', ' '}));
}

TEST_F(RegistrationTest, PhoneStartChecksSendIpThenUserIdBeforeTouchingTheSocket) {
    ASSERT_NO_FATAL_FAILURE(Start(System::KorvenHost, KORVEN_LISTEN_PHONEIF_CALLBACK));
    {
        std::lock_guard<std::mutex> guard(theApp().configLock);
        std::strcpy(theApp().sendIP, "1.2.34");
    }
    EXPECT_EQ(KORVEN_WidePhoneStart(), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_SEND_IP_NOT_SET);
    EXPECT_EQ(theApp().endpoint->Socket(), platform::kNoSocket);

    char shortest[] = "1.2.3.4";
    ASSERT_EQ(KORVEN_SetSendIP(shortest), 0);
    {
        std::lock_guard<std::mutex> guard(theApp().configLock);
        std::memset(theApp().userID, 0, sizeof theApp().userID);
    }
    EXPECT_EQ(KORVEN_WidePhoneStart(), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_USER_ID_NOT_SET);

    char userId[] = "1001";
    ASSERT_EQ(KORVEN_SetUserID(userId), 0);
    EXPECT_EQ(KORVEN_WidePhoneStart(), 0);
}

TEST_F(RegistrationTest, CallbackModeOpensTheSocketButDeliversOnlyToTheSendCallback) {
    ASSERT_NO_FATAL_FAILURE(Start(System::KorvenHost, KORVEN_LISTEN_PHONEIF_CALLBACK));
    ASSERT_EQ(KORVEN_CallBackRegFnSendLawPacket(SendRecorder::Record), 0);
    ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
    ASSERT_EQ(SendRecorder::Count(), 1u);
    EXPECT_EQ(SendRecorder::Frames()[0], ExpectedPhoneStart(System::KorvenHost));
    EXPECT_NE(KORVEN_GetSignalSocketSoc(), -1);
    EXPECT_FALSE(pbx_->WaitForCount(1, 200ms));
}

TEST_F(RegistrationTest, IapRegistrationWaitsWhileDispatchingWindowMessages) {
    ASSERT_NO_FATAL_FAILURE(Start(System::Iap));
    const UINT message = TestWindow::LargeEventMessage();
    HWND window = window_.handle();
    std::thread poster([window, message] {
        std::this_thread::sleep_for(20ms);
        PostMessageA(window, message, 0x77, 0);
    });
    const auto before = std::chrono::steady_clock::now();
    ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
    const auto waited = std::chrono::steady_clock::now() - before;
    poster.join();

    // Less a step of the tick counter the wait is measured with.
    EXPECT_GE(waited, 100ms - 16ms);
    EXPECT_LT(waited, 2099ms + 1s);
    const std::vector<WPARAM> dispatched = window_.idsOf(message);
    EXPECT_NE(std::find(dispatched.begin(), dispatched.end(), 0x77u), dispatched.end());
    const auto start = Expect("WIDE_PHONE_START");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->bytes, ExpectedPhoneStart(System::Iap));
}

// The stations' own IAP record, as LARGE_VERS_CHECK would leave it.
constexpr uint8_t kTag[2] = {0x4A, 0x5B};
constexpr uint8_t kKeepAliveByte = 0x07;

TEST_F(RegistrationTest, IapFramesCarryTheStationTagAndGoToTheAnnouncedAddress) {
    ASSERT_NO_FATAL_FAILURE(Start(System::Iap));
    // The announced address at RecPort receives the IAP path; the socket's
    // own destination stays the first simulator.
    pbxsim::SimulatorOptions announced;
    announced.system = System::Iap;
    announced.address = "127.0.0.2";
    pbxsim::PbxSimulator iapPeer(announced);
    std::string error;
    ASSERT_TRUE(iapPeer.Start(error)) << error;
    ASSERT_EQ(KORVEN_SetRecPort(iapPeer.SignalPort()), 0);
    ASSERT_TRUE(theApp().endpoint->CreateSocket("127.0.0.1", pbx_->SignalPort(), 0));
    SetIapRegistration(kTag, "127.0.0.2", kKeepAliveByte);

    ASSERT_EQ(KORVEN_WideInitialReq(), 0);
    ASSERT_EQ(KORVEN_WideInitialEnd(), 0);
    const auto request = iapPeer.WaitFor(*pbxsim::FrameMatch::ByName("WIDE_INITIAL_REQ"), 3s);
    const auto end = iapPeer.WaitFor(*pbxsim::FrameMatch::ByName("WIDE_INITIAL_END"), 3s);
    ASSERT_TRUE(request && end);
    EXPECT_EQ(request->bytes, (Frame{0x7E, 0x80, 0x4A, 0x5B, 0x00, 0x0D, 0x07, 0x8B, 0x10, 0x11, 0x29, 0x02, 0xE4}));
    EXPECT_EQ(end->bytes, (Frame{0x7E, 0x80, 0x4A, 0x5B, 0x00, 0x0D, 0x02, 0x8B, 0x10, 0x11, 0x27, 0x27, 0x00}));
    EXPECT_EQ(pbx_->ReceivedCount(), 0u);
}

TEST_F(RegistrationTest, IapRegistrationAnswerSetsTheTagOfLaterFrames) {
    pbxsim::SimulatorOptions options;
    options.registration.stationTag[0] = kTag[0];
    options.registration.stationTag[1] = kTag[1];
    ASSERT_NO_FATAL_FAILURE(Start(System::Iap, KORVEN_LISTEN_SOFTPHONE_SOCKET, options));
    ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
    ASSERT_TRUE(WaitUntil([] { return korven::CurrentStationTag(theApp()).bytes[0] == kTag[0]; }))
        << "LARGE_VERS_CHECK did not fill the IAP registration record";
    EXPECT_EQ(korven::IapDestination(theApp()), "127.0.0.1");
    ASSERT_EQ(KORVEN_WideInitialReq(), 0);
    const auto request = Expect("WIDE_INITIAL_REQ");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->bytes[2], kTag[0]);
    EXPECT_EQ(request->bytes[3], kTag[1]);
}

TEST_F(RegistrationTest, RegisteringAgainReplacesTheSocket) {
    ASSERT_NO_FATAL_FAILURE(Start(System::KorvenHost));
    const uint16_t listenPort = FreeLocalPort();
    ASSERT_NE(listenPort, 0);
    ASSERT_EQ(KORVEN_SetListenPort(listenPort), 0);
    LogCapture log;
    ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
    ASSERT_TRUE(WaitUntil([&] { return CountLinesStartingWith(log, "<-RECV[Larg[ 13]") == 1; }));
    // The same local port binds again only because the first socket is gone.
    ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
    ASSERT_TRUE(WaitUntil([&] { return CountLinesStartingWith(log, "<-RECV[Larg[ 13]") == 2; }));
    const auto frames = pbx_->Received();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].from.port, listenPort);
    EXPECT_EQ(frames[1].from.port, listenPort);
}

TEST_F(RegistrationTest, FailedSendClosesTheSocketUntilTheNextPhoneStart) {
    ASSERT_NO_FATAL_FAILURE(Start(System::KorvenHost));
    char broadcast[] = "255.255.255.255";
    ASSERT_EQ(KORVEN_SetSendIP(broadcast), 0);
    LogCapture log;
    EXPECT_EQ(KORVEN_WidePhoneStart(), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_SEND_FAILED);
    EXPECT_TRUE(log.Contains("ERROR : Write - Send() Failure!, Error[1]---"));
    EXPECT_FALSE(log.Contains("[FN-END]KORVEN_WidePhoneStart"));

    EXPECT_EQ(KORVEN_WideInitialReq(), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NO_SOCKET);
    EXPECT_EQ(KORVEN_GetSignalSocketSoc(), -1);

    char loopback[] = "127.0.0.1";
    ASSERT_EQ(KORVEN_SetSendIP(loopback), 0);
    EXPECT_EQ(KORVEN_WidePhoneStart(), 0);
}

TEST_F(RegistrationTest, RequestsBeforeKorvenInitFailWithTheBeginLineOnly) {
    theApp().initialised = 0;
    LogCapture log;
    EXPECT_EQ(KORVEN_WideLinkTest(), -1);
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_NOT_INITIALISED);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"[FN-BEGIN]KORVEN_WideLinkTest"});
}

class LinkTestTest : public LoopbackTest {
protected:
    // Starts a session whose simulator also watches the port the port-9000
    // turn goes to; skips when that needs a privilege the test lacks.
    void StartWatching(System system, uint16_t turnPort) {
        pbxsim::SimulatorOptions options;
        options.linkTest = pbxsim::LinkTestListening::Observe;
        options.linkTestPort = turnPort;
        ASSERT_NO_FATAL_FAILURE(Start(system, KORVEN_LISTEN_SOFTPHONE_SOCKET, options));
    }

    // The turn counters live as long as the process: make the next call a
    // signal-port turn.
    static void AlignToSignalPortTurn(const char* signalLine) {
        LogCapture log;
        ASSERT_EQ(KORVEN_WideLinkTest(), 0);
        if (log.Contains(signalLine)) {
            ASSERT_EQ(KORVEN_WideLinkTest(), 0);
        }
    }

    LinkTestPortLock portLock_;
};

bool CanObserve() {
    pbxsim::DatagramPort probe;
    std::string error;
    return probe.Open(pbxsim::DatagramPort::Kind::Observer, "127.0.0.1", 9000, error);
}

TEST_F(LinkTestTest, KorvenhostAlternatesBetweenTheSignalPortAndPort9000) {
    if (!CanObserve()) GTEST_SKIP() << "watching port 9000 needs raw sockets";
    ASSERT_NO_FATAL_FAILURE(StartWatching(System::KorvenHost, 9000));
    ASSERT_EQ(theApp().endpoint->CreateSocket("127.0.0.1", pbx_->SignalPort(), 0), 1);
    ASSERT_NO_FATAL_FAILURE(AlignToSignalPortTurn("SendWideLinkTest Signal Port..."));
    pbx_->ClearReceived();
    ASSERT_EQ(KORVEN_CallBackRegFnSendLawPacket(SendRecorder::Record), 0);
    const Frame expected = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x14, 0x06, 0x10, 0x10, 0x11,
                            0x29, 0x36, 0x01, 0x01, 0x00, 0x1B, 0x21, 0x3C, 0x4D, 0x5E};

    LogCapture log;
    ASSERT_EQ(KORVEN_WideLinkTest(), 0);
    EXPECT_TRUE(log.Contains("SendWideLinkTest Signal Port..."));
    const auto signalTurn = pbx_->WaitFor(pbxsim::FrameMatch::On(Channel::Signal), 3s);
    ASSERT_TRUE(signalTurn);
    EXPECT_EQ(signalTurn->bytes, expected);
    EXPECT_EQ(SendRecorder::Count(), 1u);

    ASSERT_EQ(KORVEN_WideLinkTest(), 0);
    EXPECT_EQ(KORVEN_GetErrorCode(), 0);
    if (!log.Contains("SendWideLinkTest_9000!!...")) GTEST_SKIP() << "local port 9000 is taken";
    EXPECT_TRUE(
        log.Contains("=>SEND[Wide[ 20][LINK_TEST_9000       ]7e 80 ff ff 00 14 06 10 10 11 29 36 | "
                     "01 01 00 1b 21 3c 4d 5e ]"));
    const auto portTurn = pbx_->WaitFor(pbxsim::FrameMatch::On(Channel::LinkTest), 3s);
    ASSERT_TRUE(portTurn);
    EXPECT_EQ(portTurn->bytes, expected);
    EXPECT_EQ(portTurn->from.port, 9000);
    EXPECT_EQ(SendRecorder::Count(), 1u);

    ASSERT_EQ(KORVEN_WideLinkTest(), 0);
    EXPECT_TRUE(pbx_->WaitFor(pbxsim::FrameMatch::On(Channel::Signal), 3s, 1));
    EXPECT_EQ(SendRecorder::Count(), 2u);
}

TEST_F(LinkTestTest, IapTurnsDifferOnlyInByte25AndThePortTurnGoesToPort6000) {
    if (!CanObserve()) GTEST_SKIP() << "watching port 6000 needs raw sockets";
    ASSERT_NO_FATAL_FAILURE(StartWatching(System::Iap, 6000));
    ASSERT_EQ(theApp().endpoint->CreateSocket("127.0.0.1", pbx_->SignalPort(), 0), 1);
    SetIapRegistration(kTag, "127.0.0.1", kKeepAliveByte);
    ASSERT_NO_FATAL_FAILURE(AlignToSignalPortTurn("SendWideLinkTestIAP Signal Port..."));
    pbx_->ClearReceived();
    Frame expected = {0x7E, 0x80, 0x4A, 0x5B, 0x00, 0x1A, 0x07, 0x8B, 0x10, 0x11, 0x29, 0x36, 0x00,
                      0x01, 0x00, 0x00, 0x07, 0x00, 0x4A, 0x5B, 10,   20,   30,   40,   0x00, 0x00};

    LogCapture log;
    ASSERT_EQ(KORVEN_WideLinkTest(), 0);
    const auto signalTurn = pbx_->WaitFor(pbxsim::FrameMatch::On(Channel::Signal), 3s);
    ASSERT_TRUE(signalTurn);
    EXPECT_EQ(signalTurn->bytes, expected);
    EXPECT_TRUE(log.Contains("SendWideLinkTestIAP Signal Port..."));

    ASSERT_EQ(KORVEN_WideLinkTest(), 0);
    if (!log.Contains("SendWideLinkTestIAP_9000!!...")) GTEST_SKIP() << "local port 9000 is taken";
    const auto portTurn = pbx_->WaitFor(pbxsim::FrameMatch::On(Channel::LinkTest), 3s);
    ASSERT_TRUE(portTurn);
    expected[25] = 0x01;
    EXPECT_EQ(portTurn->bytes, expected);
    EXPECT_EQ(portTurn->from.port, 9000);
}

TEST_F(LinkTestTest, PortTurnThatCannotBindStillSucceedsWithoutItsLine) {
    ASSERT_NO_FATAL_FAILURE(Start(System::KorvenHost));
    ASSERT_EQ(theApp().endpoint->CreateSocket("127.0.0.1", pbx_->SignalPort(), 0), 1);
    ASSERT_NO_FATAL_FAILURE(AlignToSignalPortTurn("SendWideLinkTest Signal Port..."));
    ASSERT_EQ(KORVEN_WideLinkTest(), 0);
    pbxsim::DatagramPort holder;
    std::string error;
    if (!holder.Open(pbxsim::DatagramPort::Kind::Udp, "0.0.0.0", 9000, error)) GTEST_SKIP() << error;
    theApp().errorCode = KORVEN_ERR_INVALID_ARGUMENT;
    LogCapture log;
    EXPECT_EQ(KORVEN_WideLinkTest(), 0);
    EXPECT_EQ(KORVEN_GetErrorCode(), 0);
    EXPECT_FALSE(log.Contains("SendWideLinkTest_9000!!..."));
    EXPECT_TRUE(log.Contains("[FN-END]KORVEN_WideLinkTest"));
}

TEST_F(LinkTestTest, CallbackModePortTurnSendsNothingButLogsItsLine) {
    ASSERT_NO_FATAL_FAILURE(Start(System::KorvenHost, KORVEN_LISTEN_PHONEIF_CALLBACK));
    ASSERT_NO_FATAL_FAILURE(AlignToSignalPortTurn("SendWideLinkTest Signal Port..."));
    ASSERT_EQ(KORVEN_CallBackRegFnSendLawPacket(SendRecorder::Record), 0);
    ASSERT_EQ(KORVEN_WideLinkTest(), 0);
    EXPECT_EQ(SendRecorder::Count(), 1u);
    LogCapture log;
    ASSERT_EQ(KORVEN_WideLinkTest(), 0);
    EXPECT_TRUE(log.Contains("SendWideLinkTest_9000!!..."));
    EXPECT_EQ(CountLinesStartingWith(log, "=>SEND["), 0u);
    EXPECT_EQ(SendRecorder::Count(), 1u);
}

}  // namespace
}  // namespace korven::test
