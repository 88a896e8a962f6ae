#include <cstdio>
#include <cstring>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "platform/host.h"

int KORVEN_GetVersion(char* buf, int size) {
    WriteLog("[FN-BEGIN]KORVEN_GetVersion");
    CKorvenSignalLibApp& app = theApp();
    if (!app.RequireInitialised()) return -1;
    if (buf == nullptr) return app.Fail(KORVEN_ERR_INVALID_ARGUMENT);
    char version[100] = {};
    if (size < static_cast<int>(sizeof version)) return app.Fail(KORVEN_ERR_BUFFER_TOO_SMALL);
    if (!korven::platform::LoadVersionString(version)) std::snprintf(version, sizeof version, "%s", "UnKnown Version");
    std::memcpy(buf, version, sizeof version);
    app.errorCode = 0;
    WriteLog("[FN-END]KORVEN_GetVersion : Version [%s]", version);
    return 0;
}
