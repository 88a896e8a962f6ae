// The module (DLL or, in the tests, executable) that holds the library's code.
#pragma once

#include <windows.h>

namespace korven::platform {

HMODULE LibraryModule();

}  // namespace korven::platform
