// Choice of the local IPv4 address and MAC address from the adapter list.
#pragma once

#include <vector>

#include "platform/host.h"

namespace korven {

// The MAC of the first adapter with a non-zero MAC and a configured address
// ("0.0.0.0" and empty texts are not), and the address of the last such
// adapter. Fields are left as they are when no adapter qualifies.
void ChooseLocalAdapter(const std::vector<platform::Adapter>& adapters, char (&localMac)[30], char (&localIp)[30]);

// LogLocalAdapters: reads the host's adapters into the fields; 1 when the
// list could be read, else 0 with nothing changed.
int LogLocalAdapters(char (&localMac)[30], char (&localIp)[30]);

}  // namespace korven
