// The library state that every benchmark runs against: started once by the
// benchmark main, initialised in callback mode by the benchmarks that parse
// frames and registered in socket mode by those that receive them.
#pragma once

#include <string>

#include "KorvenSignalLib.h"
#include "pbxsim/pbx_simulator.h"
#include "transport/udp_endpoint.h"

namespace korven::bench {

// Starts the state object below a fresh temporary module directory (with its
// "log" folder) and returns that directory.
std::string StartLibrary();
// Removes what StartLibrary created, after the state object has exited.
void RemoveModuleDirectory(const std::string& directory);

// A message-only window of the benchmark thread whose procedure returns 0.
HWND IgnoringWindow();

// KORVEN_Init on a window whose procedure returns 0, in callback mode so
// that nothing touches the network, with notifications sent synchronously
// so that none pile up. Returns false when the library refuses.
bool InitCallbackMode();

// KORVEN_Init in socket mode on window with the given window-message type,
// then registration with the simulator from a fresh endpoint paced as asked.
// onDatagram (when not null) becomes the receive callback once both
// registration answers have come. False when they do not come within 3 s.
bool RegisterSocketMode(pbxsim::PbxSimulator& pbx, HWND window, int messageType, LawPacketCallback onDatagram,
                        ReceivePacing pacing = ReceivePacing::Immediate);

}  // namespace korven::bench
