// The library state that every benchmark runs against: started once by the
// benchmark main, initialised in callback mode by the benchmarks that need it.
#pragma once

#include <string>

namespace korven::bench {

// Starts the state object below a fresh temporary module directory (with its
// "log" folder) and returns that directory.
std::string StartLibrary();
// Removes what StartLibrary created, after the state object has exited.
void RemoveModuleDirectory(const std::string& directory);

// KORVEN_Init on a window whose procedure returns 0, in callback mode so
// that nothing touches the network, with notifications sent synchronously
// so that none pile up. Returns false when the library refuses.
bool InitCallbackMode();

}  // namespace korven::bench
