#include <cstdio>

#include "platform/host.h"

namespace korven::platform {

bool LoadVersionString(char (&text)[100]) {
    std::snprintf(text, sizeof text, "%s", "1.0.2.3 (22 Mar.'10)");
    return true;
}

}  // namespace korven::platform
