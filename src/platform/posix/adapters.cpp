#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#if defined(__linux__)
#  include <netpacket/packet.h>
#endif

#include <cstring>

#include "platform/host.h"

namespace korven::platform {
namespace {

// getifaddrs lists one entry per address; the adapters keep the order in
// which their names first appear.
Adapter& AdapterNamed(std::vector<Adapter>& adapters, std::vector<std::string>& names, const char* name) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) return adapters[i];
    }
    names.emplace_back(name);
    adapters.push_back(Adapter{{0, 0, 0, 0, 0, 0}, std::string()});
    return adapters.back();
}

void TakeAddress(Adapter& adapter, const sockaddr* address) {
#if defined(__linux__)
    if (address->sa_family == AF_PACKET) {
        const auto* link = reinterpret_cast<const sockaddr_ll*>(address);
        if (link->sll_halen == 6) std::memcpy(adapter.mac, link->sll_addr, 6);
        return;
    }
#endif
    if (address->sa_family == AF_INET && adapter.ipv4.empty()) {
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
        adapter.ipv4 = text;
    }
}

}  // namespace

bool ListAdapters(std::vector<Adapter>& adapters) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    std::vector<std::string> names;
    for (ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_name == nullptr) continue;
        TakeAddress(AdapterNamed(adapters, names, entry->ifa_name), entry->ifa_addr);
    }
    freeifaddrs(list);
    for (Adapter& adapter : adapters) {
        if (adapter.ipv4.empty()) adapter.ipv4 = "0.0.0.0";
    }
    return true;
}

}  // namespace korven::platform
