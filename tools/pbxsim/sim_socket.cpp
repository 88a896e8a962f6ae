#include "pbxsim/sim_socket.h"

#if defined(_WIN32)
#  include <winsock2.h>
#  include <ws2tcpip.h>
#else
#  include <arpa/inet.h>
#  include <netinet/in.h>
#  include <sys/select.h>
#  include <sys/socket.h>
#  include <unistd.h>
#endif

#include <cerrno>
#include <cstring>

namespace korven::pbxsim {
namespace {

#if defined(_WIN32)
using NativeSocket = SOCKET;
using SockLen = int;
constexpr NativeSocket kInvalid = INVALID_SOCKET;
void CloseNative(NativeSocket s) { closesocket(s); }
std::string LastError() { return "socket error " + std::to_string(WSAGetLastError()); }
bool StartSockets() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}
#else
using NativeSocket = int;
using SockLen = socklen_t;
constexpr NativeSocket kInvalid = -1;
void CloseNative(NativeSocket s) { ::close(s); }
std::string LastError() { return std::strerror(errno); }
bool StartSockets() { return true; }
#endif

constexpr size_t kMaxDatagram = 65536;
constexpr size_t kUdpHeader = 8;

NativeSocket Native(intptr_t socket) { return static_cast<NativeSocket>(socket); }

sockaddr_in Ipv4(const std::string& address, uint16_t port) {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    inet_pton(AF_INET, address.c_str(), &at.sin_addr);
    return at;
}

Peer PeerOf(const sockaddr_in& at) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &at.sin_addr, text, sizeof text);
    return {text, ntohs(at.sin_port)};
}

bool Readable(NativeSocket socket, int timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    return select(static_cast<int>(socket) + 1, &readable, nullptr, nullptr, &timeout) > 0;
}

}  // namespace

DatagramPort::~DatagramPort() { Close(); }

bool DatagramPort::Open(Kind kind, const std::string& address, uint16_t port, std::string& error) {
    Close();
    if (!StartSockets()) {
        error = "socket start-up failed";
        return false;
    }
    kind_ = kind;
#if defined(_WIN32)
    if (kind == Kind::Observer) {
        error = "observing a port needs raw sockets, which this platform does not offer";
        return false;
    }
    const NativeSocket socket = ::socket(AF_INET, SOCK_DGRAM, 0);
#else
    const NativeSocket socket = kind == Kind::Observer ? ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_UDP)
                                                       : ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
#endif
    if (socket == kInvalid) {
        error = "socket: " + LastError();
        return false;
    }
    socket_ = static_cast<intptr_t>(socket);
    if (kind == Kind::Observer) {
        port_ = port;
        return true;
    }
    sockaddr_in local = Ipv4(address, port);
    SockLen size = sizeof local;
    if (::bind(socket, reinterpret_cast<sockaddr*>(&local), size) != 0 ||
        getsockname(socket, reinterpret_cast<sockaddr*>(&local), &size) != 0) {
        error = "bind " + address + ":" + std::to_string(port) + ": " + LastError();
        Close();
        return false;
    }
    port_ = ntohs(local.sin_port);
    return true;
}

void DatagramPort::Close() {
    if (socket_ != -1) CloseNative(Native(socket_));
    socket_ = -1;
}

bool DatagramPort::SendTo(const std::vector<uint8_t>& datagram, const Peer& to) {
    if (socket_ == -1 || kind_ != Kind::Udp) return false;
    const sockaddr_in at = Ipv4(to.address, to.port);
    return ::sendto(Native(socket_), reinterpret_cast<const char*>(datagram.data()), static_cast<int>(datagram.size()),
                    0, reinterpret_cast<const sockaddr*>(&at), sizeof at) >= 0;
}

bool DatagramPort::Receive(std::vector<uint8_t>& datagram, Peer& from, int timeoutMs) {
    if (socket_ == -1 || !Readable(Native(socket_), timeoutMs)) return false;
    datagram.resize(kMaxDatagram);
    sockaddr_in at{};
    SockLen size = sizeof at;
    const auto received = ::recvfrom(Native(socket_), reinterpret_cast<char*>(datagram.data()),
                                     static_cast<int>(datagram.size()), 0, reinterpret_cast<sockaddr*>(&at), &size);
    if (received < 0) return false;
    datagram.resize(static_cast<size_t>(received));
    from = PeerOf(at);
    if (kind_ == Kind::Udp) return true;
    // A raw socket hands over the IP packet: keep UDP datagrams to our port.
    if (datagram.empty()) return false;
    const size_t ipHeader = static_cast<size_t>(datagram[0] & 0x0F) * 4;
    if (datagram.size() < ipHeader + kUdpHeader) return false;
    const uint8_t* udp = datagram.data() + ipHeader;
    const uint16_t sourcePort = static_cast<uint16_t>(udp[0] << 8 | udp[1]);
    const uint16_t destinationPort = static_cast<uint16_t>(udp[2] << 8 | udp[3]);
    if (destinationPort != port_) return false;
    from.port = sourcePort;
    datagram.erase(datagram.begin(), datagram.begin() + static_cast<std::ptrdiff_t>(ipHeader + kUdpHeader));
    return true;
}

}  // namespace korven::pbxsim
