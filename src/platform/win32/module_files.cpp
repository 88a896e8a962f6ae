#include <windows.h>

#include "platform/host.h"
#include "platform/win32/module_handle.h"

namespace korven::platform {

HMODULE LibraryModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LibraryModule), &module);
    return module;
}

char PathSeparator() { return '\\'; }

std::string ModuleDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(LibraryModule(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::string directory(path, length);
    const auto separator = directory.find_last_of("\\/");
    if (separator == std::string::npos) return {};
    return directory.substr(0, separator);
}

bool MakeDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

void DebugOutput(const char* line) { OutputDebugStringA(line); }

}  // namespace korven::platform
