// IPv4 datagram sockets. Failures are reported as Windows Sockets error
// numbers (WSAEACCES 10013 ... WSANOTINITIALISED 10093) on every platform,
// so the layer above describes them with one table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace korven::platform {

// A socket as the system numbers it.
using SocketHandle = uintptr_t;
constexpr SocketHandle kNoSocket = ~SocketHandle{0};

// Starts Windows Sockets 2.2 (nothing to do elsewhere); false on failure.
bool StartSockets();

// The Windows Sockets error number of the calling thread's last failed
// socket call (0 after a reset).
int LastSocketError();
void SetLastSocketError(int code);

// The address of a dotted IPv4 text in network byte order, as inet_addr
// converts it: 0xFFFFFFFF (the broadcast address) when it is no address.
uint32_t ConvertIPv4(const char* text);

// A new AF_INET datagram socket, or kNoSocket.
SocketHandle OpenUdpSocket();
// Binds to any local address and port (host order).
bool BindUdpSocket(SocketHandle socket, uint16_t port);
// Sends one datagram to address (network order) and port (host order).
bool SendDatagram(SocketHandle socket, const uint8_t* data, size_t length, uint32_t address, uint16_t port);
// Asks for a receive buffer of that many bytes; the system may grant less.
void RequestReceiveBuffer(SocketHandle socket, int bytes);
// Shuts down the sending direction.
void ShutdownSending(SocketHandle socket);
void CloseSocketHandle(SocketHandle socket);

// The receiving side of one socket, for one thread, with a wake-up that
// another thread can trigger: closing a socket does not wake a receive
// blocked on it everywhere, and a socket must stay open (its number not
// reused) until its receiving thread has let go of it.
class DatagramReceiver {
public:
    enum class Status { Datagram, Error, Woken };
    struct Result {
        Status status;
        size_t length;    // of the datagram
        uint32_t sender;  // its source address, network order
    };

    // Does not own the socket. Ready() is false when no wake-up could be set up.
    explicit DatagramReceiver(SocketHandle socket);
    ~DatagramReceiver();
    DatagramReceiver(const DatagramReceiver&) = delete;
    DatagramReceiver& operator=(const DatagramReceiver&) = delete;

    bool Ready() const;
    // Blocks until a datagram arrives (copied into buffer), a receive fails
    // or Wake has been called. A datagram longer than capacity is an error
    // (WSAEMSGSIZE) and lost; LastSocketError tells the error. beforeWaiting,
    // when given, runs each time no datagram is there and the thread is about
    // to block.
    Result Receive(uint8_t* buffer, size_t capacity, void (*beforeWaiting)() = nullptr);
    // Waits until the time is up or Wake has been called.
    void Pause(uint32_t milliseconds);
    // Wakes the receiving thread now and makes every later Receive and Pause
    // return at once. Callable from any thread.
    void Wake();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace korven::platform
