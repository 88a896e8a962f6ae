#include "platform/udp_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace korven::platform {
namespace {

thread_local int lastSocketError = 0;

// errno values and the Windows Sockets numbers of the same failures.
struct ErrnoMapping {
    int posix;
    int winsock;
};
constexpr ErrnoMapping kErrnoMappings[] = {
    {EINTR, 10004},           {EBADF, 10009},           {EACCES, 10013},       {EPERM, 10013},
    {EFAULT, 10014},          {EINVAL, 10022},          {EMFILE, 10024},       {ENFILE, 10024},
    {EWOULDBLOCK, 10035},     {EINPROGRESS, 10036},     {EALREADY, 10037},     {ENOTSOCK, 10038},
    {EDESTADDRREQ, 10039},    {EMSGSIZE, 10040},        {EPROTOTYPE, 10041},   {ENOPROTOOPT, 10042},
    {EPROTONOSUPPORT, 10043}, {ESOCKTNOSUPPORT, 10044}, {EOPNOTSUPP, 10045},   {EAFNOSUPPORT, 10047},
    {EADDRINUSE, 10048},      {EADDRNOTAVAIL, 10049},   {ENETDOWN, 10050},     {ENETUNREACH, 10051},
    {ENETRESET, 10052},       {ECONNABORTED, 10053},    {ECONNRESET, 10054},   {ENOBUFS, 10055},
    {ENOMEM, 10055},          {ENOTCONN, 10057},        {ESHUTDOWN, 10058},    {ETIMEDOUT, 10060},
    {ECONNREFUSED, 10061},    {EHOSTDOWN, 10064},       {EHOSTUNREACH, 10065},
};
constexpr int kMessageTooLong = 10040;

// Records errno as the calling thread's socket error; returns false.
bool Failed() {
    const int code = errno;
    lastSocketError = code;
    for (const ErrnoMapping& mapping : kErrnoMappings) {
        if (mapping.posix == code) {
            lastSocketError = mapping.winsock;
            break;
        }
    }
    return false;
}

int Fd(SocketHandle socket) { return static_cast<int>(socket); }

sockaddr_in Ipv4(uint32_t address, uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    return to;
}

}  // namespace

bool StartSockets() { return true; }

int LastSocketError() { return lastSocketError; }

void SetLastSocketError(int code) { lastSocketError = code; }

uint32_t ConvertIPv4(const char* text) { return text != nullptr ? inet_addr(text) : INADDR_NONE; }

SocketHandle OpenUdpSocket() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        Failed();
        return kNoSocket;
    }
    return static_cast<SocketHandle>(fd);
}

bool BindUdpSocket(SocketHandle socket, uint16_t port) {
    const sockaddr_in local = Ipv4(htonl(INADDR_ANY), port);
    return ::bind(Fd(socket), reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0 || Failed();
}

bool SendDatagram(SocketHandle socket, const uint8_t* data, size_t length, uint32_t address, uint16_t port) {
    const sockaddr_in to = Ipv4(address, port);
    return ::sendto(Fd(socket), data, length, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&to), sizeof to) >= 0 ||
           Failed();
}

void RequestReceiveBuffer(SocketHandle socket, int bytes) {
    ::setsockopt(Fd(socket), SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

void ShutdownSending(SocketHandle socket) { ::shutdown(Fd(socket), SHUT_WR); }

void CloseSocketHandle(SocketHandle socket) { ::close(Fd(socket)); }

// A pipe whose read end becomes readable, and stays so, once woken.
struct DatagramReceiver::State {
    int socket = -1;
    int wakeRead = -1;
    int wakeWrite = -1;
};

DatagramReceiver::DatagramReceiver(SocketHandle socket) : state_(std::make_unique<State>()) {
    state_->socket = Fd(socket);
    int ends[2];
    if (::pipe(ends) != 0) return;
    for (const int end : ends) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, O_NONBLOCK);
    }
    state_->wakeRead = ends[0];
    state_->wakeWrite = ends[1];
}

DatagramReceiver::~DatagramReceiver() {
    if (state_->wakeRead >= 0) ::close(state_->wakeRead);
    if (state_->wakeWrite >= 0) ::close(state_->wakeWrite);
}

bool DatagramReceiver::Ready() const { return state_->wakeRead >= 0; }

DatagramReceiver::Result DatagramReceiver::Receive(uint8_t* buffer, size_t capacity, void (*beforeWaiting)()) {
    for (;;) {
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        // MSG_TRUNC reports the whole length of a datagram that did not fit.
        const ssize_t length = ::recvfrom(state_->socket, buffer, capacity, MSG_DONTWAIT | MSG_TRUNC,
                                          reinterpret_cast<sockaddr*>(&from), &fromSize);
        const uint32_t sender = from.sin_addr.s_addr;
        if (length >= 0 && static_cast<size_t>(length) <= capacity) {
            return {Status::Datagram, static_cast<size_t>(length), sender};
        }
        if (length >= 0) {
            lastSocketError = kMessageTooLong;
            return {Status::Error, 0, sender};
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            Failed();
            return {Status::Error, 0, 0};
        }
        if (beforeWaiting != nullptr) beforeWaiting();
        pollfd watched[2] = {{state_->wakeRead, POLLIN, 0}, {state_->socket, POLLIN, 0}};
        if (::poll(watched, 2, -1) < 0 && errno != EINTR) {
            Failed();
            return {Status::Error, 0, 0};
        }
        if (watched[0].revents != 0) return {Status::Woken, 0, 0};
    }
}

void DatagramReceiver::Pause(uint32_t milliseconds) {
    pollfd wake = {state_->wakeRead, POLLIN, 0};
    ::poll(&wake, 1, static_cast<int>(milliseconds));
}

void DatagramReceiver::Wake() {
    const char byte = 1;
    // The pipe only has to become readable; a full pipe already is.
    [[maybe_unused]] const ssize_t written = ::write(state_->wakeWrite, &byte, 1);
}

}  // namespace korven::platform
