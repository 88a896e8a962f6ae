#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstring>

#include "platform/host.h"

namespace korven::platform {

bool ListAdapters(std::vector<Adapter>& adapters) {
    ULONG size = 648;
    std::vector<unsigned char> buffer(size);
    ULONG result = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    if (result == ERROR_BUFFER_OVERFLOW) {
        buffer.resize(size);
        result = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    }
    if (result != NO_ERROR) return false;
    for (auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()); info != nullptr; info = info->Next) {
        Adapter adapter{{0, 0, 0, 0, 0, 0}, info->IpAddressList.IpAddress.String};
        if (info->AddressLength == 6) std::memcpy(adapter.mac, info->Address, 6);
        adapters.push_back(adapter);
    }
    return true;
}

}  // namespace korven::platform
