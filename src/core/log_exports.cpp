#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"

int KORVEN_SetLogLevel(int level) {
    WriteLog("[FN-BEGIN]KORVEN_SetLogLevel : LogLevel[%d]", level);
    CKorvenSignalLibApp& app = theApp();
    if (!app.RequireInitialised()) return -1;
    korven::DiagnosticLog& log = korven::TheLog();
    log.SetLevel(level);
    app.errorCode = 0;
    if (level != 0 && !log.HasFile()) {
        OpenLogFile(level);
        WriteLog("[FN-RUN]KORVEN_SetLogLevel : CreateLogFile");
    }
    WriteLog("[FN-END]KORVEN_SetLogLevel");
    return 0;
}

int KORVEN_GetLogLevel() {
    WriteLog("[FN-BEGIN]KORVEN_GetLogLevel");
    CKorvenSignalLibApp& app = theApp();
    if (!app.RequireInitialised()) return -1;
    const int level = korven::TheLog().Level();
    app.errorCode = 0;
    WriteLog("[FN-END]KORVEN_GetLogLevel : Level[%d]", level);
    return level;
}
