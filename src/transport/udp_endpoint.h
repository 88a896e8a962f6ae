// CKRVPWinsock: the UDP endpoint towards the PBX, with its socket, its
// destination and the receive thread that reads the socket.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/udp_socket.h"
#include "transport/winsock_errors.h"

class CKorvenSignalLibApp;

// What the receive thread does before each receive. Only the benchmark
// that measures the cost of a pause per datagram asks for the sleep.
enum class ReceivePacing { Immediate, SleepBeforeEachReceive };

class CKRVPWinsock {
public:
    static constexpr size_t kReceiveBufferSize = 316;
    static constexpr uint16_t kLinkTestLocalPort = 9000;
    static constexpr uint32_t kThreadStopWaitMs = 4000;
    // After a receive error of the socket itself, not of one datagram.
    static constexpr uint32_t kPauseAfterReceiveErrorMs = 50;
    // Room in the system for the datagrams of a burst that arrive while the
    // receive thread is busy with earlier ones.
    static constexpr int kReceiveBufferBytes = 1 << 20;

    explicit CKRVPWinsock(CKorvenSignalLibApp* owner, ReceivePacing pacing = ReceivePacing::Immediate);
    // Closes the socket and stops the receive thread.
    virtual ~CKRVPWinsock();
    CKRVPWinsock(const CKRVPWinsock&) = delete;
    CKRVPWinsock& operator=(const CKRVPWinsock&) = delete;

    // Opens a socket aimed at ip:destinationPort, bound to localPort unless
    // that is 0, and starts the receive thread. 1 on success; 0 with error
    // 11007 (already open), 11009, 11010, 11011 (bind) or 11012 (thread).
    // The error code is left alone on success.
    int CreateSocket(const char* ip, unsigned destinationPort, unsigned localPort);
    // Stops the receive thread (waking it, waiting up to 4000 ms) and closes
    // the socket. A thread that does not end in time is left to close the
    // socket itself when it does, so the number is never reused under it.
    void CloseSocket();

    // Send one datagram with the signalling socket, to the stored
    // destination or to ip:port. 1 on success; 0 with error 11008 when no
    // socket is open, or 11013 when the send failed, which also closes the
    // socket.
    int SendPacket(const uint8_t* frame, size_t length);
    int SendPacketTo(const uint8_t* frame, size_t length, const char* ip, unsigned port);
    // Sends from a temporary socket bound to local port 9000; only logs its
    // failures. 1 on success, else 0.
    int SendLinkTest(const char* ip, const uint8_t* frame, size_t length, unsigned port);

    // Describes the calling thread's last socket error into the last error
    // text; true (and the error reset to 0) for the errors the table marks
    // as cleared.
    bool DescribeLastError();
    std::string LastErrorText() const;

    // The open socket, or platform::kNoSocket.
    korven::platform::SocketHandle Socket() const;

private:
    struct Receiver;
    static void RecvThreadProc(std::shared_ptr<Receiver> receiver);

    int Fail(int code);
    bool StartReceiveThread();
    void StopReceiveThread();
    void CloseLocked();
    int SendLocked(const uint8_t* frame, size_t length, uint32_t address, uint16_t port);

    CKorvenSignalLibApp* owner_;
    const ReceivePacing pacing_;

    // Guards the socket, the destination and the thread against requests on
    // several application threads.
    mutable std::mutex lock_;
    korven::platform::SocketHandle socket_ = korven::platform::kNoSocket;
    uint32_t destinationAddress_ = 0;
    uint16_t destinationPort_ = 0;
    // Shared with the receive thread; owns the socket once the thread runs.
    std::shared_ptr<Receiver> receiver_;
    std::thread receiveThread_;

    mutable std::mutex errorTextLock_;
    char lastErrorText_[korven::kWinsockErrorTextSize] = {};
};
