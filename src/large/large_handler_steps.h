// The steps every Large handler and every Large getter share.
#pragma once

#include <mutex>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "core/notification.h"
#include "large/event_process_large.h"

namespace korven {

// Window check ("<name> : Invalid App Hwnd" and nothing else without a
// window), decode(records, frame) under the record lock, notification with
// the message id after the lock is released, then the final line
// ("++>[MESSAGE] : <name>" unless finalLine is given).
template <class Decode>
void RunLargeHandler(const LargeMessage& message, const char* name, Decode decode, const char* finalLine = nullptr) {
    CKorvenSignalLibApp& app = message.app;
    if (app.appWindow.load() == nullptr) {
        WriteLog("%s : Invalid App Hwnd", name);
        return;
    }
    {
        std::lock_guard<std::mutex> guard(app.recordLock);
        decode(app.large, message.frame);
    }
    NotifyApplication(app, EventKind::Large, message.id);
    if (finalLine != nullptr) {
        WriteLog("%s", finalLine);
    } else {
        WriteLog("++>[MESSAGE] : %s", name);
    }
}

// Which system types a getter serves.
enum class ServedSystems { Both, KorvenhostOnly, IapOnly };

// Begin line, initialisation check (11002), system-type check (11017 on IAP
// for KORVENHOST-only getters, 11016 the other way round), a missing output
// (11000), then read(records) under the record lock; error code 0 and
// "[FN-END]<name>". Returns read's result.
template <class Read>
int RunLargeGetter(const char* name, ServedSystems served, Read read, bool outputMissing = false) {
    WriteLog("[FN-BEGIN]%s", name);
    CKorvenSignalLibApp& app = theApp();
    if (!app.RequireInitialised()) return -1;
    if (served == ServedSystems::KorvenhostOnly && app.IsIap()) return app.Fail(KORVEN_ERR_NOT_FOR_IAP);
    if (served == ServedSystems::IapOnly && !app.IsIap()) return app.Fail(KORVEN_ERR_NOT_FOR_KORVENHOST);
    if (outputMissing) return app.Fail(KORVEN_ERR_INVALID_ARGUMENT);
    int result;
    {
        std::lock_guard<std::mutex> guard(app.recordLock);
        result = read(static_cast<const LargeRecords&>(app.large));
    }
    app.errorCode = 0;
    WriteLog("[FN-END]%s", name);
    return result;
}

// A getter that copies a record into the caller's memory: a null pointer is
// refused with 11000 instead of being written through.
template <class Out, class Copy>
int RunLargeRecordGetter(const char* name, ServedSystems served, Out* out, Copy copy) {
    return RunLargeGetter(
        name, served,
        [&](const LargeRecords& records) {
            copy(records, *out);
            return 0;
        },
        out == nullptr);
}

}  // namespace korven
