#include "transport/udp_endpoint.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#if !defined(_WIN32)
#  include <fcntl.h>
#endif

#include "transport/loopback_session.h"

namespace korven::test {
namespace {

// "ERROR : 서버용 소켓 Bind이 실패 하였습니다."
const std::string kBindFailed =
    "ERROR : \xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF Bind\xC0\xCC \xBD\xC7\xC6\xD0 "
    "\xC7\xCF\xBF\xB4\xBD\xC0\xB4\xCF\xB4\xD9.";
// "서버용 소켓이 정상적으로 종료 되었습니다."
const std::string kSocketClosed =
    "\xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF\xC0\xCC \xC1\xA4\xBB\xF3\xC0\xFB\xC0\xB8\xB7\xCE \xC1\xBE\xB7\xE1 "
    "\xB5\xC7\xBE\xFA\xBD\xC0\xB4\xCF\xB4\xD9.";
// "서버용 소켓 스레드를 종료합니다. 잠시만 기다려주세요."
const std::string kStoppingThread =
    "\xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF \xBD\xBA\xB7\xB9\xB5\xE5\xB8\xA6 "
    "\xC1\xBE\xB7\xE1\xC7\xD5\xB4\xCF\xB4\xD9. "
    "\xC0\xE1\xBD\xC3\xB8\xB8 \xB1\xE2\xB4\xD9\xB7\xC1\xC1\xD6\xBC\xBC\xBF\xE4.";
// "END ThreadFunction...Thread 함수가 종료되었습니다."
const std::string kThreadEnded =
    "END ThreadFunction...Thread \xC7\xD4\xBC\xF6\xB0\xA1 \xC1\xBE\xB7\xE1\xB5\xC7\xBE\xFA\xBD\xC0\xB4\xCF\xB4\xD9.";
// "서버용 소켓 스레드가 정상적으로 종료 되었습니다.\n"
const std::string kThreadStopped =
    "\xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF \xBD\xBA\xB7\xB9\xB5\xE5\xB0\xA1 "
    "\xC1\xA4\xBB\xF3\xC0\xFB\xC0\xB8\xB7\xCE "
    "\xC1\xBE\xB7\xE1 \xB5\xC7\xBE\xFA\xBD\xC0\xB4\xCF\xB4\xD9.\n";

const Frame kInitialEnd = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x11, 0x00, 0x05};

uint16_t FreeLocalPort() {
    pbxsim::DatagramPort port;
    std::string error;
    return port.Open(pbxsim::DatagramPort::Kind::Udp, "0.0.0.0", 0, error) ? port.LocalPort() : 0;
}

class UdpEndpointTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(pbx_.Start(error)) << error;
        ReceiveRecorder::Clear();
    }
    void TearDown() override { ClearRawFrameCallbacks(); }

    // Opens the endpoint on a known local port that the simulator sends to.
    void OpenTowardsPbx() {
        const uint16_t port = FreeLocalPort();
        ASSERT_EQ(endpoint_.CreateSocket("127.0.0.1", pbx_.SignalPort(), port), 1);
        pbx_.SetPhone({"127.0.0.1", port});
    }

    CKorvenSignalLibApp app_;
    CKRVPWinsock endpoint_{&app_};
    pbxsim::PbxSimulator pbx_;
};

TEST_F(UdpEndpointTest, SecondCreateFailsAndLeavesTheFirstSocketWorking) {
    ASSERT_EQ(endpoint_.CreateSocket("127.0.0.1", pbx_.SignalPort(), 0), 1);
    LogCapture log;
    EXPECT_EQ(endpoint_.CreateSocket("127.0.0.1", pbx_.SignalPort(), 0), 0);
    EXPECT_EQ(app_.errorCode, KORVEN_ERR_SOCKET_ALREADY_CREATED);
    EXPECT_TRUE(log.Contains("ERROR : Already Socket Create!!!\n"));
    const Frame frame = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0C, 0x06, 0x10, 0x10, 0x11, 0x29, 0x02};
    EXPECT_EQ(endpoint_.SendPacket(frame.data(), frame.size()), 1);
    EXPECT_TRUE(pbx_.WaitForCount(1, 3s));
}

TEST_F(UdpEndpointTest, BindFailureClosesTheNewSocket) {
    // The simulator holds its port on 127.0.0.1; binding any address to it fails.
    LogCapture log;
    EXPECT_EQ(endpoint_.CreateSocket("127.0.0.1", 6000, pbx_.SignalPort()), 0);
    EXPECT_EQ(app_.errorCode, KORVEN_ERR_SOCKET_BIND_FAILED);
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{kBindFailed, kSocketClosed}));
    EXPECT_EQ(endpoint_.Socket(), platform::kNoSocket);
}

TEST_F(UdpEndpointTest, SendWithoutSocketFailsWithoutDump) {
    LogCapture log;
    const Frame frame(13, 0);
    EXPECT_EQ(endpoint_.SendPacket(frame.data(), frame.size()), 0);
    EXPECT_EQ(app_.errorCode, KORVEN_ERR_NO_SOCKET);
    EXPECT_EQ(endpoint_.SendPacketTo(frame.data(), frame.size(), "127.0.0.1", 6000), 0);
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(UdpEndpointTest, SendErrorDescribesTheErrorAndClosesTheSocket) {
    ASSERT_EQ(endpoint_.CreateSocket("255.255.255.255", 6000, 0), 1);
    LogCapture log;
    const Frame frame = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x29, 0x02, 0xE4};
    EXPECT_EQ(endpoint_.SendPacket(frame.data(), frame.size()), 0);
    EXPECT_EQ(app_.errorCode, KORVEN_ERR_SEND_FAILED);
    EXPECT_EQ(endpoint_.LastErrorText().substr(0, 8), " -- \xBA\xEA\xB7\xCE");  // WSAEACCES: " -- 브로..."
    EXPECT_TRUE(log.Contains("ERROR : Write - Send() Failure!, Error[1]---"));
    EXPECT_EQ(endpoint_.Socket(), platform::kNoSocket);
    EXPECT_EQ(endpoint_.SendPacket(frame.data(), frame.size()), 0);
    EXPECT_EQ(app_.errorCode, KORVEN_ERR_NO_SOCKET);
}

TEST_F(UdpEndpointTest, SendPacketToUsesTheGivenAddress) {
    pbxsim::SimulatorOptions other;
    other.address = "127.0.0.2";
    pbxsim::PbxSimulator otherPbx(other);
    std::string error;
    ASSERT_TRUE(otherPbx.Start(error)) << error;
    ASSERT_EQ(endpoint_.CreateSocket("127.0.0.1", pbx_.SignalPort(), 0), 1);
    const Frame frame = {0x7E, 0x80, 0x00, 0x00, 0x00, 0x0D, 0x02, 0x8B, 0x10, 0x11, 0x27, 0x27, 0x00};
    ASSERT_EQ(endpoint_.SendPacketTo(frame.data(), frame.size(), "127.0.0.2", otherPbx.SignalPort()), 1);
    ASSERT_TRUE(otherPbx.WaitForCount(1, 3s));
    EXPECT_EQ(otherPbx.Received()[0].bytes, frame);
    EXPECT_EQ(pbx_.ReceivedCount(), 0u);
}

TEST_F(UdpEndpointTest, SocketModeParsesEachDatagramThenOffersItToTheReceiveCallback) {
    SetReceiveCallback(ReceiveRecorder::Record);
    ASSERT_NO_FATAL_FAILURE(OpenTowardsPbx());
    LogCapture log;
    ASSERT_TRUE(pbx_.Send(kInitialEnd));
    ASSERT_TRUE(WaitUntil([] { return ReceiveRecorder::Count() == 1; }));
    EXPECT_EQ(ReceiveRecorder::Frames()[0], kInitialEnd);
    EXPECT_EQ(CountLinesStartingWith(log, "<-RECV[Larg[ 13][LARGE_INITIAL_END    ]"), 1u);
}

TEST_F(UdpEndpointTest, CallbackModeOnlyOffersDatagramsToTheReceiveCallback) {
    app_.listenMode = KORVEN_LISTEN_PHONEIF_CALLBACK;
    SetReceiveCallback(ReceiveRecorder::Record);
    ASSERT_NO_FATAL_FAILURE(OpenTowardsPbx());
    LogCapture log;
    ASSERT_TRUE(pbx_.Send(kInitialEnd));
    ASSERT_TRUE(WaitUntil([] { return ReceiveRecorder::Count() == 1; }));
    EXPECT_EQ(CountLinesStartingWith(log, "<-RECV["), 0u);
}

// The receive thread writes its trace only when the socket runs dry; the
// trace of the burst must still be whole and in order.
TEST_F(UdpEndpointTest, BurstOfDatagramsArrivesWholeAndInOrderAndIsTracedSo) {
    SetReceiveCallback(ReceiveRecorder::Record);
    ASSERT_NO_FATAL_FAILURE(OpenTowardsPbx());
    LogCapture log;
    // Few enough to fit the socket buffer however late the thread runs.
    constexpr int kBurst = 100;
    for (int i = 0; i < kBurst; ++i) {
        Frame frame = kInitialEnd;
        frame[12] = static_cast<uint8_t>(i);
        ASSERT_TRUE(pbx_.Send(frame));
    }
    ASSERT_TRUE(WaitUntil([] { return ReceiveRecorder::Count() == kBurst; })) << ReceiveRecorder::Count();
    const auto frames = ReceiveRecorder::Frames();
    for (int i = 0; i < kBurst; ++i) EXPECT_EQ(frames[i][12], static_cast<uint8_t>(i));
    std::vector<std::string> dumps;
    for (const std::string& message : log.Messages()) {
        if (message.rfind("<-RECV[", 0) == 0) dumps.push_back(message);
    }
    ASSERT_EQ(dumps.size(), static_cast<size_t>(kBurst));
    char last[8];
    for (int i = 0; i < kBurst; ++i) {
        std::snprintf(last, sizeof last, "| %02x ]", i);
        EXPECT_EQ(dumps[i],
                  "<-RECV[Larg[ 13][LARGE_INITIAL_END    ]7e 80 ff ff 00 0d 06 10 10 11 11 00 " + std::string(last));
    }
}

TEST_F(UdpEndpointTest, TooLongAndEmptyDatagramsAreDroppedWithoutHoldingUpTheNextFrame) {
    SetReceiveCallback(ReceiveRecorder::Record);
    ASSERT_NO_FATAL_FAILURE(OpenTowardsPbx());
    LogCapture log;
    // Were each bad datagram followed by the 50 ms pause of a failing socket,
    // the frames would need 10 s; the wait below only guards against a hang.
    constexpr int kRounds = 100;
    for (int i = 0; i < kRounds; ++i) {
        ASSERT_TRUE(pbx_.Send(Frame(CKRVPWinsock::kReceiveBufferSize + 1 + i, 0x11)));
        ASSERT_TRUE(pbx_.Send(Frame{}));
        Frame frame = kInitialEnd;
        frame[12] = static_cast<uint8_t>(i);
        ASSERT_TRUE(pbx_.Send(frame));
    }
    ASSERT_TRUE(WaitUntil([] { return ReceiveRecorder::Count() == kRounds; }, 5s)) << ReceiveRecorder::Count();
    const auto frames = ReceiveRecorder::Frames();
    for (int i = 0; i < kRounds; ++i) EXPECT_EQ(frames[i][12], static_cast<uint8_t>(i));
    EXPECT_EQ(CountLinesStartingWith(log, "<-RECV[Larg[ 13][LARGE_INITIAL_END    ]"), size_t{kRounds});
    EXPECT_EQ(CountLinesStartingWith(log, "ERROR : Recv ..."), size_t{2 * kRounds});
}

TEST_F(UdpEndpointTest, CloseWakesTheBlockedReceiveThreadAtOnce) {
    ASSERT_EQ(endpoint_.CreateSocket("127.0.0.1", pbx_.SignalPort(), FreeLocalPort()), 1);
    std::this_thread::sleep_for(20ms);  // let the thread block in its receive
    LogCapture log;
    const auto before = std::chrono::steady_clock::now();
    endpoint_.CloseSocket();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 500ms);
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{kSocketClosed, kStoppingThread, kThreadEnded, kThreadStopped}));
    EXPECT_EQ(endpoint_.Socket(), platform::kNoSocket);
    endpoint_.CloseSocket();
}

TEST_F(UdpEndpointTest, UnboundSocketGetsItsPortOnTheFirstSend) {
    ASSERT_EQ(endpoint_.CreateSocket("127.0.0.1", pbx_.SignalPort(), 0), 1);
    const Frame frame(12, 0x29);
    ASSERT_EQ(endpoint_.SendPacket(frame.data(), frame.size()), 1);
    ASSERT_TRUE(pbx_.WaitForCount(1, 3s));
    EXPECT_NE(pbx_.Received()[0].from.port, 0);
}

// Blocks the receive callback until released.
struct Blocker {
    static std::promise<void>& Release() {
        static std::promise<void> release;
        return release;
    }
    static std::atomic<bool>& Entered() {
        static std::atomic<bool> entered{false};
        return entered;
    }
    static int KORVEN_STDCALL Hold(void*, int) {
        Entered() = true;
        Release().get_future().wait();
        return 0;
    }
};

TEST_F(UdpEndpointTest, ThreadThatDoesNotEndInTimeClosesTheSocketItself) {
    app_.listenMode = KORVEN_LISTEN_PHONEIF_CALLBACK;
    SetReceiveCallback(Blocker::Hold);
    ASSERT_NO_FATAL_FAILURE(OpenTowardsPbx());
    const platform::SocketHandle socket = endpoint_.Socket();
    ASSERT_TRUE(pbx_.Send(kInitialEnd));
    ASSERT_TRUE(WaitUntil([] { return Blocker::Entered().load(); }));

    const auto before = std::chrono::steady_clock::now();
    endpoint_.CloseSocket();
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(CKRVPWinsock::kThreadStopWaitMs));
    EXPECT_EQ(endpoint_.Socket(), platform::kNoSocket);
#if !defined(_WIN32)
    const int fd = static_cast<int>(socket);
    EXPECT_NE(fcntl(fd, F_GETFD), -1) << "closed while its thread may still read it";
    Blocker::Release().set_value();
    EXPECT_TRUE(WaitUntil([fd] { return fcntl(fd, F_GETFD) == -1; }));
#else
    (void)socket;
    Blocker::Release().set_value();
    std::this_thread::sleep_for(200ms);
#endif
}

TEST_F(UdpEndpointTest, LinkTestThatCannotBindOnlyLogs) {
    [[maybe_unused]] LinkTestPortLock portLock;
    pbxsim::DatagramPort holder;
    std::string error;
    if (!holder.Open(pbxsim::DatagramPort::Kind::Udp, "0.0.0.0", CKRVPWinsock::kLinkTestLocalPort, error)) {
        GTEST_SKIP() << error;
    }
    app_.errorCode = 0;
    LogCapture log;
    const Frame frame(20, 0);
    EXPECT_EQ(endpoint_.SendLinkTest("127.0.0.1", frame.data(), frame.size(), 9000), 0);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{kBindFailed + "\n"});
    EXPECT_EQ(app_.errorCode, 0);
}

}  // namespace
}  // namespace korven::test
