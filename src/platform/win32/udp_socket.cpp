#include <winsock2.h>
#include <windows.h>

#include "platform/udp_socket.h"

// Not in every SDK's headers (mingw-w64 has it in mswsock.h, newer Windows
// SDKs in mstcpip.h).
#if !defined(SIO_UDP_CONNRESET)
#  define SIO_UDP_CONNRESET _WSAIOW(IOC_VENDOR, 12)
#endif

namespace korven::platform {
namespace {

SOCKET Native(SocketHandle socket) { return static_cast<SOCKET>(socket); }

sockaddr_in Ipv4(uint32_t address, uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    return to;
}

}  // namespace

bool StartSockets() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

int LastSocketError() { return WSAGetLastError(); }

void SetLastSocketError(int code) { WSASetLastError(code); }

uint32_t ConvertIPv4(const char* text) { return text != nullptr ? inet_addr(text) : INADDR_NONE; }

SocketHandle OpenUdpSocket() {
    const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (socket == INVALID_SOCKET) return kNoSocket;
    // Otherwise an ICMP port-unreachable for an earlier send fails the next
    // receive with WSAECONNRESET, where POSIX systems report nothing.
    BOOL reportUnreachable = FALSE;
    DWORD returned = 0;
    WSAIoctl(socket, SIO_UDP_CONNRESET, &reportUnreachable, sizeof reportUnreachable, nullptr, 0, &returned, nullptr,
             nullptr);
    return static_cast<SocketHandle>(socket);
}

bool BindUdpSocket(SocketHandle socket, uint16_t port) {
    const sockaddr_in local = Ipv4(htonl(INADDR_ANY), port);
    return ::bind(Native(socket), reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
}

bool SendDatagram(SocketHandle socket, const uint8_t* data, size_t length, uint32_t address, uint16_t port) {
    const sockaddr_in to = Ipv4(address, port);
    return ::sendto(Native(socket), reinterpret_cast<const char*>(data), static_cast<int>(length), 0,
                    reinterpret_cast<const sockaddr*>(&to), sizeof to) != SOCKET_ERROR;
}

void RequestReceiveBuffer(SocketHandle socket, int bytes) {
    ::setsockopt(Native(socket), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&bytes), sizeof bytes);
}

void ShutdownSending(SocketHandle socket) { ::shutdown(Native(socket), SD_SEND); }

void CloseSocketHandle(SocketHandle socket) { ::closesocket(Native(socket)); }

// The socket signals readiness on an event (which also makes it non-blocking);
// a second, manual-reset event is the wake-up.
struct DatagramReceiver::State {
    SOCKET socket = INVALID_SOCKET;
    WSAEVENT readable = WSA_INVALID_EVENT;
    HANDLE wake = nullptr;
};

DatagramReceiver::DatagramReceiver(SocketHandle socket) : state_(std::make_unique<State>()) {
    state_->socket = Native(socket);
    state_->readable = WSACreateEvent();
    state_->wake = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (state_->readable != WSA_INVALID_EVENT &&
        WSAEventSelect(state_->socket, state_->readable, FD_READ) == SOCKET_ERROR) {
        WSACloseEvent(state_->readable);
        state_->readable = WSA_INVALID_EVENT;
    }
}

DatagramReceiver::~DatagramReceiver() {
    if (state_->readable != WSA_INVALID_EVENT) {
        WSAEventSelect(state_->socket, nullptr, 0);
        WSACloseEvent(state_->readable);
    }
    if (state_->wake != nullptr) CloseHandle(state_->wake);
}

bool DatagramReceiver::Ready() const { return state_->readable != WSA_INVALID_EVENT && state_->wake != nullptr; }

DatagramReceiver::Result DatagramReceiver::Receive(uint8_t* buffer, size_t capacity, void (*beforeWaiting)()) {
    for (;;) {
        if (WaitForSingleObject(state_->wake, 0) == WAIT_OBJECT_0) return {Status::Woken, 0, 0};
        sockaddr_in from{};
        int fromSize = sizeof from;
        const int length = ::recvfrom(state_->socket, reinterpret_cast<char*>(buffer), static_cast<int>(capacity), 0,
                                      reinterpret_cast<sockaddr*>(&from), &fromSize);
        const uint32_t sender = from.sin_addr.s_addr;
        if (length != SOCKET_ERROR) return {Status::Datagram, static_cast<size_t>(length), sender};
        if (WSAGetLastError() != WSAEWOULDBLOCK) return {Status::Error, 0, sender};
        // A receive that would block re-arms FD_READ, so no datagram that
        // arrives from here on is missed by the wait.
        if (beforeWaiting != nullptr) beforeWaiting();
        const HANDLE events[2] = {state_->wake, state_->readable};
        WaitForMultipleObjects(2, events, FALSE, INFINITE);
        WSAResetEvent(state_->readable);
    }
}

void DatagramReceiver::Pause(uint32_t milliseconds) { WaitForSingleObject(state_->wake, milliseconds); }

void DatagramReceiver::Wake() { SetEvent(state_->wake); }

}  // namespace korven::platform
