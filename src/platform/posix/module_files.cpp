#include <dlfcn.h>
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "platform/host.h"

namespace korven::platform {

char PathSeparator() { return '/'; }

std::string ModuleDirectory() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleDirectory), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    char resolved[PATH_MAX];
    std::string path = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return path.substr(0, slash);
}

bool MakeDirectory(const std::string& path) { return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST; }

void DebugOutput(const char* line) {
    // Only shown when a developer asks for it, like a debugger's output window.
    if (getenv("KORVEN_DEBUG_OUTPUT") != nullptr) fprintf(stderr, "%s\n", line);
}

}  // namespace korven::platform
