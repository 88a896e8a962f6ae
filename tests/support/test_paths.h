// Private folders for the tests.
#pragma once

#include <string>

namespace korven::test {

// A fresh folder for this process, unique across processes.
std::string MakeTempDirectory(const char* tag);
// A fresh module folder with its "log" folder, for the library's log.
std::string PrepareModuleDirectory();

}  // namespace korven::test
