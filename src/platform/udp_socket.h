// IPv4 datagram sockets. Failures are reported as Windows Sockets error
// numbers (WSAEACCES 10013 ... WSANOTINITIALISED 10093) on every platform,
// so the socket layer above describes them with one table.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korven::platform {

// A socket as the system numbers it.
using SocketHandle = uintptr_t;
constexpr SocketHandle kNoSocket = ~SocketHandle{0};

enum class ShutdownHow { Send, Both };

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
// Blocks until a datagram arrives and copies it into buffer. Returns its
// length; 0 once the socket is shut down for receiving; -1 on an error,
// including a datagram longer than capacity (WSAEMSGSIZE, datagram lost).
int ReceiveDatagram(SocketHandle socket, uint8_t* buffer, size_t capacity);
// Shutting down both directions wakes a receive blocked on the socket.
void ShutdownSocket(SocketHandle socket, ShutdownHow how);
void CloseSocketHandle(SocketHandle socket);

}  // namespace korven::platform
