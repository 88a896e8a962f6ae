// Call and key requests: event data, program busy, dialled number, data
// request, soft and programmable keys, handset mode and video update.
#include <cstdio>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "requests/wide_request_steps.h"
#include "transport/bcd_digits.h"
#include "transport/catalogues.h"

namespace {

using korven::ErrorOnSuccess;
using korven::HeaderForm;
using korven::Low8;
using korven::SendPath;
using korven::Served;
using korven::WideRequest;

constexpr WideRequest kEventData{{"KORVEN_WideEventData", 0, HeaderForm::B, SendPath::Iap}};
constexpr WideRequest kProgramBusy{{"KORVEN_WideProgramBusy", 4, HeaderForm::B, SendPath::Iap}};
constexpr WideRequest kDigitStr{{"KORVEN_WideDigitStr", 5, HeaderForm::B, SendPath::Iap}};
constexpr WideRequest kDataReq{{"KORVEN_WideDataReq", 28, HeaderForm::C, SendPath::Iap}};
constexpr WideRequest kSoftkey{{"KORVEN_WideSoftkey", 13, HeaderForm::B, SendPath::Iap}};
constexpr WideRequest kProgkey{{"KORVEN_WideProgkey", 14, HeaderForm::B, SendPath::Iap}};
constexpr WideRequest kHandsetMode{{"KORVEN_WideEnblockHandsetMode", 101, HeaderForm::A, SendPath::Stored},
                                   Served::KorvenHostOnly};
constexpr WideRequest kVideoUpdate{
    {"KORVEN_WideVideoUpdate", 89, HeaderForm::A, SendPath::Stored, ErrorOnSuccess::Keep}, Served::KorvenHostOnly};

// WIDE_DIGIT_STR: the number packed in b12-b27 and the hook type in b28 on
// both system types; the trunk-type bytes follow in a place of their own.
constexpr size_t kNumberPos = 12;
constexpr size_t kNumberBytes = 16;
constexpr size_t kHookTypePos = 28;
struct DigitStrShape {
    uint16_t length;
    uint8_t trunkPos;
    uint8_t trunkBytes;
};
// KORVENHOST: one trunk-type byte in b29. IAP: b29 unused, two in b30-b31.
constexpr DigitStrShape kDigitStrShapes[] = {{30, 29, 1}, {32, 30, 2}};
constexpr size_t kLongestDigitStr = kDigitStrShapes[1].length;

korven::AfterSendLine DigitStrLine(bool iap, const char* number, uint8_t hookType, const unsigned char* trunkType) {
    if (iap) {
        return {"SendWideDigitStrIAP... PhoneNo=[%s], HookType=%d, TrunkgType=[0x%02x 0x%02x]", number, hookType,
                trunkType[0], trunkType[1]};
    }
    return {"SendWideDigitStr... PhoneNo=[%s], HookType=%d, CallType=0x%02x", number, hookType, trunkType[0]};
}

// The Large catalogue name of an id, or a placeholder of the catalogue's
// kind for an id beyond it.
struct LargeName {
    char text[24];
};
LargeName LargeNameOf(int id) {
    LargeName name;
    const char* known = korven::LargeMessageName(id);
    if (known != nullptr) {
        std::snprintf(name.text, sizeof name.text, "%s", known);
    } else {
        std::snprintf(name.text, sizeof name.text, "-- %d", id);
    }
    return name;
}

int SendKey(const WideRequest& request, int id) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, request, " : ID[%d]", id)) return -1;
    return korven::SendSmallFrame(app, request.traits, Low8(id));
}

}  // namespace

int KORVEN_WideEventData(int type, int id) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kEventData, " : Type[%d], ID[%d]", type, id)) return -1;
    const korven::AfterSendLine line("SendWideEventData... Type=[%d], Code=[%d]", type, id);
    return korven::SendSmallFrame(app, korven::WithLine(kEventData.traits, line), Low8(type), Low8(id));
}

int KORVEN_WideProgramBusy(int busy) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kProgramBusy, " : Busy[%d]", busy)) return -1;
    return korven::SendSmallFrame(app, kProgramBusy.traits, Low8(busy), uint8_t{0});
}

int KORVEN_WideDigitStr(const char* number, int hookType, unsigned char* trunkType) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kDigitStr, " : Number[%s]", korven::Shown(number))) return -1;
    if (!korven::RequireArguments(app, {number, trunkType})) return -1;
    if (number[0] == '\0') return app.Fail(KORVEN_ERR_INVALID_ARGUMENT);

    const bool iap = app.IsIap();
    const DigitStrShape& shape = kDigitStrShapes[iap ? 1 : 0];
    uint8_t frame[kLongestDigitStr] = {};
    korven::EncodeBcdDigits(frame + kNumberPos, kNumberBytes, number);
    frame[kHookTypePos] = Low8(hookType);
    for (size_t i = 0; i < shape.trunkBytes; ++i) frame[shape.trunkPos + i] = trunkType[i];
    const korven::AfterSendLine line = DigitStrLine(iap, number, Low8(hookType), trunkType);
    return korven::SendRequest(app, korven::WithLine(kDigitStr.traits, line), frame, shape.length);
}

int KORVEN_WideDataReq(int reqId) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kDataReq, " : ReqID[%d]", reqId)) return -1;
    const korven::AfterSendLine line("KORVEN_WideDataReq...  ID:%d[%-21s]", reqId, LargeNameOf(reqId).text);
    return korven::SendSmallFrame(app, korven::WithLine(kDataReq.traits, line), uint8_t{0}, Low8(reqId));
}

int KORVEN_WideSoftkey(int id) { return SendKey(kSoftkey, id); }

int KORVEN_WideProgkey(int id) { return SendKey(kProgkey, id); }

int KORVEN_WideEnblockHandsetMode(int status) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kHandsetMode, " : Status[%d]", status)) return -1;
    const korven::AfterSendLine line("SendWideHandsetMode...Mode[%d]", status);
    return korven::SendSmallFrame(app, korven::WithLine(kHandsetMode.traits, line), Low8(status), uint8_t{0xFF});
}

int KORVEN_WideVideoUpdate() {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kVideoUpdate)) return -1;
    return korven::SendSmallFrame(app, kVideoUpdate.traits, uint8_t{0});
}
