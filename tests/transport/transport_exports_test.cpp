// KORVEN_GetSignalSocketSoc, the callback registrations and
// KORVEN_DispatchRecvLawPacket.
#include <gtest/gtest.h>

#include <atomic>

#include "transport/loopback_session.h"
#include "transport/message_queue.h"

namespace korven::test {
namespace {

const Frame kInitialEnd = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x11, 0x00, 0x05};

Frame InitialEnd(uint8_t identifier) {
    Frame frame = kInitialEnd;
    frame[12] = identifier;
    return frame;
}

int Feed(Frame frame) { return KORVEN_DispatchRecvLawPacket(frame.data(), static_cast<int>(frame.size())); }

class TransportExportsTest : public LoopbackTest {};

TEST_F(TransportExportsTest, SocketHandleOnlyWhileASocketIsOpen) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost));
    EXPECT_EQ(KORVEN_GetSignalSocketSoc(), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NO_SOCKET);
    ASSERT_EQ(theApp().endpoint->CreateSocket("127.0.0.1", pbx_->SignalPort(), 0), 1);
    LogCapture log;
    const int handle = KORVEN_GetSignalSocketSoc();
    EXPECT_EQ(static_cast<platform::SocketHandle>(handle), theApp().endpoint->Socket());
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NO_SOCKET);
    char endLine[64];
    std::snprintf(endLine, sizeof endLine, "[FN-END]KORVEN_GetSignalSocketSoc : [0x%x]", static_cast<unsigned>(handle));
    EXPECT_TRUE(log.Contains(endLine));
}

TEST_F(TransportExportsTest, RegistrationChecksTheCallbackBeforeInitialisation) {
    theApp().initialised = 0;
    EXPECT_EQ(KORVEN_CallBackRegFnRecvLawPacket(nullptr), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(KORVEN_CallBackRegFnSendLawPacket(SendRecorder::Record), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_INITIALISED);
    EXPECT_EQ(KORVEN_GetSignalSocketSoc(), -1);
    EXPECT_EQ(Feed(kInitialEnd), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_INITIALISED);

    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost));
    theApp().errorCode = KORVEN_ERR_BUFFER_TOO_SMALL;
    EXPECT_EQ(KORVEN_CallBackRegFnSendLawPacket(SendRecorder::Record), 0);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_BUFFER_TOO_SMALL);
}

TEST_F(TransportExportsTest, FeedRefusesSocketModeAndBadFrames) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost));
    EXPECT_EQ(Feed(kInitialEnd), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_AVAILABLE_IN_MODE);

    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost, KORVEN_LISTEN_PHONEIF_CALLBACK));
    Frame frame(1025, 0);
    EXPECT_EQ(KORVEN_DispatchRecvLawPacket(nullptr, 13), -1);
    EXPECT_EQ(KORVEN_DispatchRecvLawPacket(frame.data(), 0), -1);
    EXPECT_EQ(KORVEN_DispatchRecvLawPacket(frame.data(), -1), -1);
    EXPECT_EQ(KORVEN_DispatchRecvLawPacket(frame.data(), 1025), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_INVALID_ARGUMENT);
    LogCapture log;
    EXPECT_EQ(KORVEN_DispatchRecvLawPacket(frame.data(), 1024), 0);
    EXPECT_TRUE(log.Contains("[FN-BEGIN]KORVEN_DispatchRecvLawPacket : RecvLen[1024]"));
    EXPECT_TRUE(log.Contains("[FN-END]KORVEN_DispatchRecvLawPacket"));
}

TEST_F(TransportExportsTest, FedFramesAreDecodedInOrderAndNotOfferedToTheReceiveCallback) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost, KORVEN_LISTEN_PHONEIF_CALLBACK));
    ASSERT_EQ(KORVEN_CallBackRegFnRecvLawPacket(ReceiveRecorder::Record), 0);
    LogCapture log;
    for (uint8_t identifier = 1; identifier <= 3; ++identifier) ASSERT_EQ(Feed(InitialEnd(identifier)), 0);
    ASSERT_TRUE(WaitUntil([&] { return CountLinesStartingWith(log, "<-RECV[") == 3; }));
    std::vector<std::string> dumps;
    for (const std::string& message : log.Messages()) {
        if (message.rfind("<-RECV[", 0) == 0) dumps.push_back(message.substr(message.size() - 4));
    }
    EXPECT_EQ(dumps, (std::vector<std::string>{"01 ]", "02 ]", "03 ]"}));
    EXPECT_EQ(ReceiveRecorder::Count(), 0u);
}

TEST_F(TransportExportsTest, InitAgainDropsQueuedFramesAndCallbacks) {
    ASSERT_NO_FATAL_FAILURE(Start(pbxsim::System::KorvenHost, KORVEN_LISTEN_PHONEIF_CALLBACK));
    ASSERT_EQ(KORVEN_SetWindowMessageType(KORVEN_WINDOW_MESSAGE_SEND), 0);
    ASSERT_EQ(KORVEN_CallBackRegFnSendLawPacket(SendRecorder::Record), 0);
    LogCapture log;
    // The dispatch thread decodes the first frame and waits in the
    // notification until this thread pumps; the others stay queued.
    for (uint8_t identifier = 1; identifier <= 3; ++identifier) ASSERT_EQ(Feed(InitialEnd(identifier)), 0);
    ASSERT_TRUE(WaitUntil([&] { return CountLinesStartingWith(log, "<-RECV[") == 1; }));
    std::atomic<bool> initDone{false};
    std::thread init([&] {
        KORVEN_Init(window_.handle(), KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_PHONEIF_CALLBACK);
        initDone = true;
    });
    const bool stopping = WaitUntil([] { return theApp().dispatchRunning == 0; });
    while (!initDone) TestWindow::Pump();
    init.join();
    ASSERT_TRUE(stopping);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(CountLinesStartingWith(log, "<-RECV["), 1u);
    EXPECT_TRUE(log.Contains("[FN-END]KORVEN_CallBackRegFnRecvLawPacket"));

    ASSERT_EQ(KORVEN_WideInitialReq(), 0);
    EXPECT_EQ(SendRecorder::Count(), 0u);
}

}  // namespace
}  // namespace korven::test
