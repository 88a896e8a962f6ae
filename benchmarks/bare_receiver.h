// The baseline of the receive benchmarks: a plain UDP socket on loopback
// with the library's receive buffer size, read by one thread in blocking
// receives that does nothing but hand each datagram on. What the library's
// receive path costs beyond the socket is measured against it.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace korven::bench {

class BareReceiver {
public:
    using OnDatagram = void (*)();

    explicit BareReceiver(OnDatagram onDatagram) : onDatagram_(onDatagram) {}
    ~BareReceiver();
    BareReceiver(const BareReceiver&) = delete;
    BareReceiver& operator=(const BareReceiver&) = delete;

    // Binds 127.0.0.1 on a free port and starts the thread; false on failure.
    bool Start();
    uint16_t Port() const { return port_; }

private:
    void Run();

    const OnDatagram onDatagram_;
    int socket_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace korven::bench
