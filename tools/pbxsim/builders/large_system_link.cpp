#include "pbxsim/builders/large_system_link.h"

namespace korven::pbxsim {
namespace {

Bytes Address(const std::array<uint8_t, 4>& address) { return Bytes(address.begin(), address.end()); }

// Where a server's address and port travel; the fallback address is IAP
// only.
struct ServerPositions {
    size_t fallback, address, port;
};
constexpr ServerPositions kKorvenHostServers[] = {{0, 24, 28}, {0, 46, 50}};
constexpr ServerPositions kIapServers[] = {{44, 56, 60}, {66, 78, 82}};

}  // namespace

Bytes LargeErrorResp(const ErrorRespFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 62);
    frame.SetBytes(12, {fields.orgMsgId, fields.errorId});
    return frame.Frame();
}

Bytes LargeDBUpdate(const DBUpdateFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 162);
    frame.SetBytes(12, TextBytes(fields.id, 16));
    return frame.Frame();
}

Bytes LargePhoneDB5(const PhoneDB5Fields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, fields.id);
    const bool iap = fields.system == System::Iap;
    const ServerPositions* positions = iap ? kIapServers : kKorvenHostServers;
    const ServerFields* servers[] = {&fields.mms, &fields.imps};
    if (iap) frame.SetBytes(12, TextBytes(fields.name, 32));
    for (size_t s = 0; s < 2; ++s) {
        if (iap) frame.SetBytes(positions[s].fallback, Address(servers[s]->fallback));
        frame.SetBytes(positions[s].address, Address(servers[s]->address));
        frame.SetBytes(positions[s].port, Be16Bytes(servers[s]->port));
    }
    return frame.Frame();
}

Bytes LargeLinkTest(System system) { return LargeNotice(system, 54); }

Bytes LargeGKRestart(System system) { return LargeNotice(system, 160); }

}  // namespace korven::pbxsim
