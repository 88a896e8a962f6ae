#include "requests/wide_request_steps.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "KorvenErrors.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"

namespace korven {
namespace {

// The error code of a request asked for on a system type it does not serve;
// 0 when it serves the current one.
int RefusalCode(const CKorvenSignalLibApp& app, Served served) {
    const bool iap = app.IsIap();
    if (served == Served::KorvenHostOnly && iap) return KORVEN_ERR_NOT_FOR_IAP;
    if (served == Served::IapOnly && !iap) return KORVEN_ERR_NOT_FOR_KORVENHOST;
    return 0;
}

}  // namespace

bool BeginWideRequest(CKorvenSignalLibApp& app, const WideRequest& request, const char* suffixFormat, ...) {
    char suffix[kRequestLineSize] = "";
    if (TheLog().Enabled()) {
        va_list arguments;
        va_start(arguments, suffixFormat);
        std::vsnprintf(suffix, sizeof suffix, suffixFormat, arguments);
        va_end(arguments);
    }
    if (!BeginRequest(app, "[FN-BEGIN]%s%s", request.traits.name, suffix)) return false;
    const int refusal = RefusalCode(app, request.served);
    if (refusal != 0) app.Fail(refusal);
    return refusal == 0;
}

bool RequireArguments(CKorvenSignalLibApp& app, std::initializer_list<const void*> pointers) {
    for (const void* pointer : pointers) {
        if (pointer == nullptr) {
            app.Fail(KORVEN_ERR_INVALID_ARGUMENT);
            return false;
        }
    }
    return true;
}

AfterSendLine::AfterSendLine(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text_, sizeof text_, format, arguments);
    va_end(arguments);
}

RequestTraits WithLine(const RequestTraits& traits, const AfterSendLine& line) {
    RequestTraits withLine = traits;
    withLine.afterSendLine = line.text();
    return withLine;
}

int SendTextBlock(CKorvenSignalLibApp& app, const RequestTraits& traits, const char* texts, uint8_t* frame, size_t length,
                  void (*logText)(size_t index, const char* text)) {
    const size_t count = (length - kHeaderSize) / kBlockTextSize;
    std::memcpy(frame + kHeaderSize, texts, count * kBlockTextSize);
    WriteRequestHeader(app, traits, frame, static_cast<uint16_t>(length));
    if (!SendByPath(app, traits, frame, length)) return -1;
    for (size_t i = 0; i < count; ++i) logText(i, texts + i * kBlockTextSize);
    return FinishRequest(app, traits);
}

}  // namespace korven
