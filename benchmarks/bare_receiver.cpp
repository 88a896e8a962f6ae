#include "bare_receiver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "transport/udp_endpoint.h"

namespace korven::bench {

BareReceiver::~BareReceiver() {
    running_ = false;
    // Shutting a datagram socket down wakes a receive blocked on it (Linux).
    if (socket_ >= 0) ::shutdown(socket_, SHUT_RDWR);
    if (thread_.joinable()) thread_.join();
    if (socket_ >= 0) ::close(socket_);
}

bool BareReceiver::Start() {
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) return false;
    const int bufferBytes = CKRVPWinsock::kReceiveBufferBytes;
    ::setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, &bufferBytes, sizeof bufferBytes);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof local;
    if (::bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        return false;
    }
    port_ = ntohs(local.sin_port);
    running_ = true;
    thread_ = std::thread(&BareReceiver::Run, this);
    return true;
}

void BareReceiver::Run() {
    uint8_t buffer[CKRVPWinsock::kReceiveBufferSize];
    while (running_) {
        if (::recv(socket_, buffer, sizeof buffer, 0) > 0) onDatagram_();
    }
}

}  // namespace korven::bench
