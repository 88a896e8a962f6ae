// The opt-in filter of KORVEN_SetAcceptPbxOnly: in socket mode, a datagram
// from any address but the PBX's is dropped before it is parsed.
#pragma once

#include <chrono>
#include <cstdint>

class CKorvenSignalLibApp;

namespace korven {

// One per receive thread.
class SenderFilter {
public:
    // True when a datagram from sender (IPv4, network order) may go on: the
    // filter is off, or sender is the address of SendIP or, on IAP, the
    // destination that LARGE_VERS_CHECK announced (any port). Otherwise the
    // drop is counted in the state object and logged at most once a second.
    bool Admits(CKorvenSignalLibApp& app, uint32_t sender);

private:
    std::chrono::steady_clock::time_point nextLogAt_{};
};

}  // namespace korven
