#include "transport/udp_endpoint.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <optional>
#include <system_error>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "core/frame_dump.h"
#include "transport/packet_parser.h"
#include "transport/raw_frame_callbacks.h"
#include "transport/sender_filter.h"

namespace {

// The socket layer's Korean trace texts, readable in the comments, stored as
// code page 949.
// "ERROR : 서버용 소켓 생성이 실패 하였습니다."
const char kCreateFailed[] =
    "ERROR : \xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF \xBB\xFD\xBC\xBA\xC0\xCC \xBD\xC7\xC6\xD0 "
    "\xC7\xCF\xBF\xB4\xBD\xC0\xB4\xCF\xB4\xD9.";
// "ERROR : 서버용 소켓 Bind이 실패 하였습니다."
const char kBindFailed[] =
    "ERROR : \xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF Bind\xC0\xCC \xBD\xC7\xC6\xD0 "
    "\xC7\xCF\xBF\xB4\xBD\xC0\xB4\xCF\xB4\xD9.";
// "ERROR : 서버용 소켓 스레드의 생성이 실패 하였습니다."
const char kThreadFailed[] =
    "ERROR : \xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF \xBD\xBA\xB7\xB9\xB5\xE5\xC0\xC7 \xBB\xFD\xBC\xBA\xC0\xCC "
    "\xBD\xC7\xC6\xD0 \xC7\xCF\xBF\xB4\xBD\xC0\xB4\xCF\xB4\xD9.";
// "서버용 소켓 및 스레드가 생성되었습니다. "
const char kCreated[] =
    "\xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF \xB9\xD7 \xBD\xBA\xB7\xB9\xB5\xE5\xB0\xA1 "
    "\xBB\xFD\xBC\xBA\xB5\xC7\xBE\xFA\xBD\xC0\xB4\xCF\xB4\xD9. ";
// "서버용 소켓이 정상적으로 종료 되었습니다."
const char kSocketClosed[] =
    "\xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF\xC0\xCC \xC1\xA4\xBB\xF3\xC0\xFB\xC0\xB8\xB7\xCE \xC1\xBE\xB7\xE1 "
    "\xB5\xC7\xBE\xFA\xBD\xC0\xB4\xCF\xB4\xD9.";
// "서버용 소켓 스레드를 종료합니다. 잠시만 기다려주세요."
const char kStoppingThread[] =
    "\xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF \xBD\xBA\xB7\xB9\xB5\xE5\xB8\xA6 "
    "\xC1\xBE\xB7\xE1\xC7\xD5\xB4\xCF\xB4\xD9. \xC0\xE1\xBD\xC3\xB8\xB8 "
    "\xB1\xE2\xB4\xD9\xB7\xC1\xC1\xD6\xBC\xBC\xBF\xE4.";
// "서버용 소켓 스레드가 정상적으로 종료 되었습니다.\n"
const char kThreadStopped[] =
    "\xBC\xAD\xB9\xF6\xBF\xEB \xBC\xD2\xC4\xCF \xBD\xBA\xB7\xB9\xB5\xE5\xB0\xA1 "
    "\xC1\xA4\xBB\xF3\xC0\xFB\xC0\xB8\xB7\xCE \xC1\xBE\xB7\xE1 \xB5\xC7\xBE\xFA\xBD\xC0\xB4\xCF\xB4\xD9.\n";
// "END ThreadFunction...Thread 함수가 종료되었습니다."
const char kThreadEnded[] =
    "END ThreadFunction...Thread \xC7\xD4\xBC\xF6\xB0\xA1 \xC1\xBE\xB7\xE1\xB5\xC7\xBE\xFA\xBD\xC0\xB4\xCF\xB4\xD9.";

// Closes the socket when the last user of the receiving side lets go.
struct OwnedSocket {
    korven::platform::SocketHandle handle;
    ~OwnedSocket() { korven::platform::CloseSocketHandle(handle); }
};

void WriteGatheredLines() { korven::TheLog().WritePending(); }

// A datagram in socket mode is parsed first; the receive callback sees it
// in both modes.
void Deliver(CKorvenSignalLibApp& app, uint8_t* datagram, size_t length) {
    if (app.listenMode == 0) {
        std::lock_guard<std::mutex> guard(app.parserLock);
        RecvPacketParser(app, datagram, length);
    }
    korven::OfferToReceiveCallback(datagram, length);
}

}  // namespace

// What the receive thread shares with the endpoint. Members are destroyed
// in reverse order: the receiving side lets go of the socket before it closes.
struct CKRVPWinsock::Receiver {
    Receiver(CKorvenSignalLibApp* app, korven::platform::SocketHandle handle, ReceivePacing how)
        : owner(app), pacing(how), socket{handle}, io(handle) {}

    CKorvenSignalLibApp* const owner;
    const ReceivePacing pacing;
    std::atomic<bool> running{true};
    std::mutex lock;
    std::condition_variable endedSignal;
    bool ended = false;
    OwnedSocket socket;
    korven::platform::DatagramReceiver io;
    korven::SenderFilter filter;
};

CKRVPWinsock::CKRVPWinsock(CKorvenSignalLibApp* owner, ReceivePacing pacing) : owner_(owner), pacing_(pacing) {}

CKRVPWinsock::~CKRVPWinsock() { CloseSocket(); }

int CKRVPWinsock::Fail(int code) {
    owner_->errorCode = code;
    return 0;
}

int CKRVPWinsock::CreateSocket(const char* ip, unsigned destinationPort, unsigned localPort) {
    namespace platform = korven::platform;
    std::lock_guard<std::mutex> guard(lock_);
    if (socket_ != platform::kNoSocket) {
        WriteLog("ERROR : Already Socket Create!!!\n");
        return Fail(KORVEN_ERR_SOCKET_ALREADY_CREATED);
    }
    if (!platform::StartSockets()) {
        WriteLog("ERROR : WSAStartup() Failure!!!\n");
        return Fail(KORVEN_ERR_SOCKET_STARTUP_FAILED);
    }
    destinationAddress_ = platform::ConvertIPv4(ip);
    destinationPort_ = static_cast<uint16_t>(destinationPort);
    socket_ = platform::OpenUdpSocket();
    if (socket_ == platform::kNoSocket) {
        WriteLog("%s", kCreateFailed);
        return Fail(KORVEN_ERR_SOCKET_CREATE_FAILED);
    }
    platform::RequestReceiveBuffer(socket_, kReceiveBufferBytes);
    if (localPort != 0 && !platform::BindUdpSocket(socket_, static_cast<uint16_t>(localPort))) {
        WriteLog("%s", kBindFailed);
        CloseLocked();
        return Fail(KORVEN_ERR_SOCKET_BIND_FAILED);
    }
    if (!StartReceiveThread()) {
        WriteLog("%s", kThreadFailed);
        CloseLocked();
        return Fail(KORVEN_ERR_RECEIVE_THREAD_FAILED);
    }
    WriteLog("%s", kCreated);
    return 1;
}

bool CKRVPWinsock::StartReceiveThread() {
    receiver_ = std::make_shared<Receiver>(owner_, socket_, pacing_);
    if (!receiver_->io.Ready()) return false;
    try {
        receiveThread_ = std::thread(RecvThreadProc, receiver_);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CKRVPWinsock::CloseSocket() {
    std::lock_guard<std::mutex> guard(lock_);
    CloseLocked();
}

void CKRVPWinsock::CloseLocked() {
    if (socket_ != korven::platform::kNoSocket) {
        WriteLog("%s", kSocketClosed);
        if (receiver_ == nullptr) korven::platform::CloseSocketHandle(socket_);
        socket_ = korven::platform::kNoSocket;
    }
    if (receiveThread_.joinable()) {
        WriteLog("%s", kStoppingThread);
        StopReceiveThread();
        WriteLog("%s", kThreadStopped);
    }
    receiver_.reset();
}

void CKRVPWinsock::StopReceiveThread() {
    receiver_->running = false;
    receiver_->io.Wake();
    std::unique_lock<std::mutex> waiting(receiver_->lock);
    const bool ended = receiver_->endedSignal.wait_for(waiting, std::chrono::milliseconds(kThreadStopWaitMs),
                                                       [this] { return receiver_->ended; });
    waiting.unlock();
    if (ended && !owner_->threadsCannotEnd) {
        receiveThread_.join();
    } else {
        receiveThread_.detach();
    }
}

void CKRVPWinsock::RecvThreadProc(std::shared_ptr<Receiver> receiver) {
    using korven::platform::DatagramReceiver;
    uint8_t buffer[kReceiveBufferSize];
    // The trace of a burst goes out in large writes: the lines gather until
    // the socket has nothing more to give. The batch ends with the loop.
    std::optional<korven::LogBatch> batch(std::in_place);
    while (receiver->running) {
        if (receiver->pacing == ReceivePacing::SleepBeforeEachReceive) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const DatagramReceiver::Result result = receiver->io.Receive(buffer, sizeof buffer, WriteGatheredLines);
        if (!receiver->running) break;
        if (result.status == DatagramReceiver::Status::Datagram && result.length > 0) {
            CKorvenSignalLibApp& app = *receiver->owner;
            if (app.listenMode != 0 || receiver->filter.Admits(app, result.sender)) Deliver(app, buffer, result.length);
            continue;
        }
        // An empty, too long or refused datagram costs only itself; a socket
        // that fails is given a pause before the next try.
        const bool socketFailed = result.status != DatagramReceiver::Status::Datagram &&
                                  !korven::ConcernsOneDatagram(korven::platform::LastSocketError());
        WriteLog("ERROR : Recv ...");
        if (socketFailed) {
            korven::TheLog().WritePending();
            receiver->io.Pause(kPauseAfterReceiveErrorMs);
        }
    }
    batch.reset();
    WriteLog("%s", kThreadEnded);
    std::lock_guard<std::mutex> guard(receiver->lock);
    receiver->ended = true;
    receiver->endedSignal.notify_all();
}

int CKRVPWinsock::SendPacket(const uint8_t* frame, size_t length) {
    std::lock_guard<std::mutex> guard(lock_);
    return SendLocked(frame, length, destinationAddress_, destinationPort_);
}

int CKRVPWinsock::SendPacketTo(const uint8_t* frame, size_t length, const char* ip, unsigned port) {
    std::lock_guard<std::mutex> guard(lock_);
    return SendLocked(frame, length, korven::platform::ConvertIPv4(ip), static_cast<uint16_t>(port));
}

int CKRVPWinsock::SendLocked(const uint8_t* frame, size_t length, uint32_t address, uint16_t port) {
    if (socket_ == korven::platform::kNoSocket) return Fail(KORVEN_ERR_NO_SOCKET);
    korven::LogFrame(korven::FrameDirection::Send, frame, length);
    if (korven::platform::SendDatagram(socket_, frame, length, address, port)) return 1;
    WriteLog("ERROR : Write - Send() Failure!, Error[%d]---", DescribeLastError() ? 1 : 0);
    CloseLocked();
    return Fail(KORVEN_ERR_SEND_FAILED);
}

int CKRVPWinsock::SendLinkTest(const char* ip, const uint8_t* frame, size_t length, unsigned port) {
    namespace platform = korven::platform;
    if (!platform::StartSockets()) {
        WriteLog("ERROR : WSAStartup() Failure!!!\n");
        return 0;
    }
    const uint32_t address = platform::ConvertIPv4(ip);
    const platform::SocketHandle socket = platform::OpenUdpSocket();
    if (socket == platform::kNoSocket) {
        WriteLog("%s\n", kCreateFailed);
        return 0;
    }
    bool sent = false;
    if (!platform::BindUdpSocket(socket, kLinkTestLocalPort)) {
        WriteLog("%s\n", kBindFailed);
    } else {
        korven::LogFrame(korven::FrameDirection::LinkTestSend, frame, length);
        sent = platform::SendDatagram(socket, frame, length, address, static_cast<uint16_t>(port));
        if (!sent) WriteLog("ERROR : Write - Send() Failure!, Error[%d]---", DescribeLastError() ? 1 : 0);
    }
    platform::ShutdownSending(socket);
    platform::CloseSocketHandle(socket);
    return sent ? 1 : 0;
}

bool CKRVPWinsock::DescribeLastError() {
    const int code = korven::platform::LastSocketError();
    std::lock_guard<std::mutex> guard(errorTextLock_);
    const bool cleared = korven::DescribeWinsockError(code, lastErrorText_);
    if (cleared) korven::platform::SetLastSocketError(0);
    return cleared;
}

std::string CKRVPWinsock::LastErrorText() const {
    std::lock_guard<std::mutex> guard(errorTextLock_);
    return lastErrorText_;
}

korven::platform::SocketHandle CKRVPWinsock::Socket() const {
    std::lock_guard<std::mutex> guard(lock_);
    return socket_;
}
