#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/host.h"
#include "platform/win32/module_handle.h"

namespace korven::platform {
namespace {

// VerQueryValueA may write into the block it reads, so it gets a copy of the
// read-only resource.
bool CopyVersionResource(std::vector<char>& block) {
    const HMODULE module = LibraryModule();
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    if (resource == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr) return false;
    const DWORD size = SizeofResource(module, resource);
    block.assign(static_cast<const char*>(data), static_cast<const char*>(data) + size);
    return true;
}

void ProductVersionKey(std::vector<char>& block, char (&key)[64]) {
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) && length == 4) {
        const auto* bytes = static_cast<const WORD*>(value);
        std::snprintf(key, sizeof key, "\\StringFileInfo\\%02X%02X%02X%02X\\ProductVersion", HIBYTE(bytes[0]),
                      LOBYTE(bytes[0]), HIBYTE(bytes[1]), LOBYTE(bytes[1]));
    } else {
        std::snprintf(key, sizeof key, "\\StringFileInfo\\%04X04B0\\ProductVersion", GetUserDefaultLangID());
    }
}

}  // namespace

bool LoadVersionString(char (&text)[100]) {
    std::vector<char> block;
    if (!CopyVersionResource(block)) return false;
    char key[64];
    ProductVersionKey(block, key);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), key, &value, &length)) return false;
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(value));
    return true;
}

}  // namespace korven::platform
