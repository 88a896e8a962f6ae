#include "requests/request_sequence.h"

#include <cstdarg>
#include <cstdio>

#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "transport/send_steps.h"

namespace korven {
namespace {

constexpr size_t kLogLineSize = 1024;

}  // namespace

bool BeginRequest(CKorvenSignalLibApp& app, const char* beginFormat, ...) {
    if (TheLog().Enabled()) {
        char line[kLogLineSize];
        va_list arguments;
        va_start(arguments, beginFormat);
        std::vsnprintf(line, sizeof line, beginFormat, arguments);
        va_end(arguments);
        WriteLog("%s", line);
    }
    return app.RequireInitialised();
}

void WriteRequestHeader(const CKorvenSignalLibApp& app, const RequestTraits& traits, uint8_t* frame,
                        uint16_t totalLength) {
    const bool iap = app.IsIap();
    WriteWideHeader(frame, iap ? traits.iapForm : HeaderForm::A, iap ? CurrentStationTag(app) : StationTag{},
                    totalLength, traits.messageId);
}

bool SendStored(CKorvenSignalLibApp& app, uint8_t* frame, size_t length) { return SendFrame(app, frame, length) != 0; }

bool SendIap(CKorvenSignalLibApp& app, uint8_t* frame, size_t length) {
    return SendFrameTo(app, frame, length, IapDestination(app).c_str(), app.recPort) != 0;
}

bool SendByPath(CKorvenSignalLibApp& app, const RequestTraits& traits, uint8_t* frame, size_t length) {
    if (app.IsIap() && traits.iapPath == SendPath::Iap) return SendIap(app, frame, length);
    return SendStored(app, frame, length);
}

int FinishRequest(CKorvenSignalLibApp& app, const RequestTraits& traits) {
    if (traits.afterSendLine != nullptr) WriteLog("%s", traits.afterSendLine);
    if (traits.onSuccess == ErrorOnSuccess::Clear) app.errorCode = 0;
    WriteLog("[FN-END]%s", traits.name);
    return 0;
}

int SendRequest(CKorvenSignalLibApp& app, const RequestTraits& traits, uint8_t* frame, size_t length) {
    WriteRequestHeader(app, traits, frame, static_cast<uint16_t>(length));
    if (!SendByPath(app, traits, frame, length)) return -1;
    return FinishRequest(app, traits);
}

}  // namespace korven
