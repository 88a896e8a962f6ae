// The steps every Large handler and every Large getter share: the common
// record steps bound to the Large records and the LARGE event.
#pragma once

#include "KorvenSignalLib.h"
#include "core/record_steps.h"
#include "large/event_process_large.h"

namespace korven {

// NotifyAndLog for a Large message: WPARAM is the message id.
inline void NotifyLarge(const LargeMessage& message, const char* name, const char* finalLine = nullptr) {
    NotifyAndLog(message.app, EventKind::Large, message.id, name, finalLine);
}

// Window check, decode(records, frame) under the record lock, then the
// notification and the final line once the lock is released. A decode that
// returns false drops the message there: no notification and no final line
// (a set of frames that is not complete yet).
template <class Decode>
void RunLargeHandler(const LargeMessage& message, const char* name, Decode decode, const char* finalLine = nullptr) {
    CKorvenSignalLibApp& app = message.app;
    RunRecordHandler(
        app, EventKind::Large, message.id, name, [&] { return decode(app.large, message.frame); }, finalLine);
}

// Which system types a getter serves.
enum class ServedSystems { Both, KorvenhostOnly, IapOnly };

// Begin line, initialisation check (11002), system-type check (11017 on IAP
// for KORVENHOST-only getters, 11016 the other way round), an invalid
// argument such as a missing output (11000), then read(records) under the
// record lock; error code 0 and endLine(result) after the lock is released.
// Returns read's result.
template <class Read, class EndLine>
int RunLargeGetterWithEndLine(const char* name, ServedSystems served, Read read, EndLine endLine,
                              bool invalidArgument = false) {
    const auto refusal = [served, invalidArgument] {
        const bool iap = theApp().IsIap();
        if (served == ServedSystems::KorvenhostOnly && iap) return int{KORVEN_ERR_NOT_FOR_IAP};
        if (served == ServedSystems::IapOnly && !iap) return int{KORVEN_ERR_NOT_FOR_KORVENHOST};
        return invalidArgument ? int{KORVEN_ERR_INVALID_ARGUMENT} : 0;
    };
    return RunRecordGetter(
        name, refusal, [&read](const CKorvenSignalLibApp& app) { return read(app.large); }, endLine);
}

// RunLargeGetterWithEndLine with the end line "[FN-END]<name>".
template <class Read>
int RunLargeGetter(const char* name, ServedSystems served, Read read, bool invalidArgument = false) {
    return RunLargeGetterWithEndLine(
        name, served, read, [name](int) { WriteLog("[FN-END]%s", name); }, invalidArgument);
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
