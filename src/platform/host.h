// Host services the library takes from the operating system: clock, module
// location, directories, debugger output, version text and network adapters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korven::platform {

struct LocalTime {
    int year, month, day, hour, minute, second, millisecond;
};
LocalTime Now();

// Separator between the folders of a path on this platform.
char PathSeparator();
// Folder of the file holding the library's code, without a trailing
// separator; empty when it cannot be found.
std::string ModuleDirectory();
// Creates the last level of path; true when it exists afterwards.
bool MakeDirectory(const std::string& path);
// One line for an attached debugger (stderr is not used on POSIX: the
// library must stay quiet in its host's terminal).
void DebugOutput(const char* line);

// The library's version text, at most 99 characters; false when it has none.
bool LoadVersionString(char (&text)[100]);

struct Adapter {
    uint8_t mac[6];
    std::string ipv4;  // "0.0.0.0" for an adapter without an address
};
// The host's adapters in the order the system lists them; false when the
// list cannot be read.
bool ListAdapters(std::vector<Adapter>& adapters);

}  // namespace korven::platform
