#include "core/local_adapters.h"

#include <cstdio>
#include <cstring>

namespace korven {
namespace {

bool HasMac(const platform::Adapter& adapter) {
    static const uint8_t kNoMac[6] = {};
    return std::memcmp(adapter.mac, kNoMac, sizeof kNoMac) != 0;
}

// An unconfigured adapter reports 0.0.0.0: its text does not start above '0'.
bool HasAddress(const platform::Adapter& adapter) { return !adapter.ipv4.empty() && adapter.ipv4[0] > '0'; }

}  // namespace

void ChooseLocalAdapter(const std::vector<platform::Adapter>& adapters, char (&localMac)[30], char (&localIp)[30]) {
    bool chosen = false;
    for (const platform::Adapter& adapter : adapters) {
        if (!HasMac(adapter) || !HasAddress(adapter)) continue;
        if (!chosen) std::memcpy(localMac, adapter.mac, sizeof adapter.mac);
        chosen = true;
        std::snprintf(localIp, sizeof localIp, "%s", adapter.ipv4.c_str());
    }
}

int LogLocalAdapters(char (&localMac)[30], char (&localIp)[30]) {
    std::vector<platform::Adapter> adapters;
    if (!platform::ListAdapters(adapters)) return 0;
    ChooseLocalAdapter(adapters, localMac, localIp);
    return 1;
}

}  // namespace korven
