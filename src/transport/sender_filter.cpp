#include "transport/sender_filter.h"

#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "platform/udp_socket.h"
#include "transport/iap_registration.h"

namespace korven {
namespace {

// A peer that floods the port must not flood the log as well.
constexpr auto kLogInterval = std::chrono::seconds(1);

// An address that does not convert (an empty text before registration)
// matches no sender: it converts to the broadcast address.
bool IsPbx(const CKorvenSignalLibApp& app, uint32_t sender) {
    if (sender == platform::ConvertIPv4(app.SendIP().c_str())) return true;
    return app.IsIap() && sender == platform::ConvertIPv4(IapDestination(app).c_str());
}

}  // namespace

bool SenderFilter::Admits(CKorvenSignalLibApp& app, uint32_t sender) {
    if (app.acceptPbxOnly == 0 || IsPbx(app, sender)) return true;
    const unsigned long long dropped = ++app.foreignDatagramsDropped;
    const auto now = std::chrono::steady_clock::now();
    if (now >= nextLogAt_) {
        nextLogAt_ = now + kLogInterval;
        const auto* octets = reinterpret_cast<const uint8_t*>(&sender);
        WriteLog("RecvThread : datagram from %d.%d.%d.%d is not from the PBX, dropped (%llu so far)", octets[0],
                 octets[1], octets[2], octets[3], dropped);
    }
    return false;
}

}  // namespace korven
