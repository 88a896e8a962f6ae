// The steps every handler of a decoded message and every getter of a
// decoded record share, Large and Normal alike.
#pragma once

#include <mutex>
#include <type_traits>

#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "core/notification.h"

namespace korven {

// False, after the line "<name> : Invalid App Hwnd", when the application
// has given no window: the message is then dropped whole.
inline bool HasAppWindow(const CKorvenSignalLibApp& app, const char* name) {
    if (app.appWindow.load() != nullptr) return true;
    WriteLog("%s : Invalid App Hwnd", name);
    return false;
}

// Notifies the application with the message id, then writes the final line
// ("++>[MESSAGE] : <name>" unless finalLine is given). Called without the
// record lock: the window procedure calls getters.
inline void NotifyAndLog(CKorvenSignalLibApp& app, EventKind kind, int id, const char* name,
                         const char* finalLine = nullptr) {
    NotifyApplication(app, kind, id);
    if (finalLine != nullptr) {
        WriteLog("%s", finalLine);
    } else {
        WriteLog("++>[MESSAGE] : %s", name);
    }
}

// Window check, decode() under the record lock, then NotifyAndLog once the
// lock is released. A decode that returns false drops the message there: no
// notification and no final line.
template <class Decode>
void RunRecordHandler(CKorvenSignalLibApp& app, EventKind kind, int id, const char* name, Decode decode,
                      const char* finalLine = nullptr) {
    if (!HasAppWindow(app, name)) return;
    bool accepted = true;
    {
        std::lock_guard<std::mutex> guard(app.recordLock);
        if constexpr (std::is_void_v<decltype(decode())>) {
            decode();
        } else {
            accepted = decode();
        }
    }
    if (accepted) NotifyAndLog(app, kind, id, name, finalLine);
}

// For getters that refuse nothing beyond the initialisation check.
inline int NoRefusal() { return 0; }

// Begin line "[FN-BEGIN]<name>", initialisation check (11002), then
// refusal(): a nonzero error code fails the call with it. Then read(app)
// under the record lock, error code 0 and endLine(result) once the lock is
// released. Returns read's result, -1 on failure.
template <class Refusal, class Read, class EndLine>
int RunRecordGetter(const char* name, Refusal refusal, Read read, EndLine endLine) {
    WriteLog("[FN-BEGIN]%s", name);
    CKorvenSignalLibApp& app = theApp();
    if (!app.RequireInitialised()) return -1;
    if (const int code = refusal(); code != 0) return app.Fail(code);
    int result;
    {
        std::lock_guard<std::mutex> guard(app.recordLock);
        result = read(static_cast<const CKorvenSignalLibApp&>(app));
    }
    app.errorCode = 0;
    endLine(result);
    return result;
}

}  // namespace korven
