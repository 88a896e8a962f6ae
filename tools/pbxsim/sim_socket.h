// The simulator's own small socket layer (it is a peer of the library and
// shares no code with its transport).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korven::pbxsim {

struct Peer {
    std::string address;  // dotted IPv4
    uint16_t port = 0;
};

// Where a datagram comes from or goes: a UDP socket, or (POSIX, raw-socket
// privilege needed) an observer of the datagrams that any local socket
// receives on one port. The observer lets the simulator see what the phone
// sends to a port that the phone itself must bind on the same host.
class DatagramPort {
public:
    enum class Kind { Udp, Observer };

    DatagramPort() = default;
    ~DatagramPort();
    DatagramPort(const DatagramPort&) = delete;
    DatagramPort& operator=(const DatagramPort&) = delete;

    // Binds a UDP socket to address:port (0 picks a free port), or starts
    // observing datagrams to port. False with a reason on failure.
    bool Open(Kind kind, const std::string& address, uint16_t port, std::string& error);
    void Close();
    uint16_t LocalPort() const { return port_; }

    // UDP sockets only.
    bool SendTo(const std::vector<uint8_t>& datagram, const Peer& to);
    // Waits at most timeoutMs for a datagram; false when none came.
    bool Receive(std::vector<uint8_t>& datagram, Peer& from, int timeoutMs);

private:
    Kind kind_ = Kind::Udp;
    intptr_t socket_ = -1;
    uint16_t port_ = 0;
};

}  // namespace korven::pbxsim
