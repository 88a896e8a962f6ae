// The common steps of src/core/record_steps.h bound to the Normal records.
#pragma once

#include "core/record_steps.h"

namespace korven {

// Window check, decode(records) under the record lock, the "Softphone
// NORMAL EVENT" notification with the id, then "++>[MESSAGE] : <name>".
template <class Decode>
void RunNormalHandler(CKorvenSignalLibApp& app, int id, const char* name, Decode decode) {
    RunRecordHandler(app, EventKind::Normal, id, name, [&] { decode(app.normal); });
}

// The getter steps with read(records) on the Normal records.
template <class Refusal, class Read, class EndLine>
int RunNormalGetter(const char* name, Refusal refusal, Read read, EndLine endLine) {
    return RunRecordGetter(
        name, refusal, [&](const CKorvenSignalLibApp& app) { return read(app.normal); }, endLine);
}

}  // namespace korven
