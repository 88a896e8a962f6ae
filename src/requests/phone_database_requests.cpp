// Phone database requests (database 0 written back over the PBX's own
// payload, the IAP database 5 name) and the absence messages.
#include <cstring>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "large/phone_database_layouts.h"
#include "requests/wide_request_steps.h"

namespace {

using korven::HeaderForm;
using korven::kHeaderSize;
using korven::SendPath;
using korven::Served;
using korven::WideRequest;

constexpr WideRequest kPhoneDb0{{"KORVEN_WidePhoneDB0", 6, HeaderForm::B, SendPath::Iap}};
constexpr WideRequest kPhoneDb5{{"KORVEN_WidePhoneDB5_IAP", 125, HeaderForm::B, SendPath::Iap}, Served::IapOnly};
constexpr WideRequest kAbsentProgramMsg{{"KORVEN_WideAbsentProgramMsg", 10, HeaderForm::A, SendPath::Stored},
                                        Served::KorvenHostOnly};

// Room for the payload of either system type after the header.
constexpr size_t kLongestPhoneDb0 = kHeaderSize + sizeof(PhoneDb0Store::payload);
constexpr size_t kPhoneDb5Length = 120;
constexpr size_t kAbsenceTexts = KORVEN_ABSENCE_MESSAGES_SIZE / korven::kBlockTextSize;

// The format prints the letter i, not the index.
void LogAbsenceText(size_t, const char* text) {
    WriteLog("SendWideProgMsg:Index[i]... [%.*s]", static_cast<int>(korven::kBlockTextSize), text);
}

}  // namespace

int KORVEN_WidePhoneDB0(void* layout) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kPhoneDb0)) return -1;
    if (!korven::RequireArguments(app, {layout})) return -1;
    const bool iap = app.IsIap();
    const size_t length = korven::kPhoneDb0PayloadPos + korven::PhoneDb0FormatOf(iap).payloadSize;
    uint8_t frame[kLongestPhoneDb0] = {};
    korven::FrameWriter writer(frame, length);
    korven::WritePhoneDb0Payload(app, iap, static_cast<const uint8_t*>(layout), writer);
    return korven::SendRequest(app, kPhoneDb0.traits, frame, length);
}

int KORVEN_WidePhoneDB5(tagSTSOFTPHONEDB5* db5) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kPhoneDb5)) return -1;
    if (!korven::RequireArguments(app, {db5})) return -1;
    uint8_t frame[kPhoneDb5Length] = {};
    std::memcpy(frame + kHeaderSize, db5->Name, sizeof db5->Name);
    return korven::SendRequest(app, kPhoneDb5.traits, frame, sizeof frame);
}

int KORVEN_WideAbsentProgramMsg(const char* messages) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kAbsentProgramMsg)) return -1;
    if (!korven::RequireArguments(app, {messages})) return -1;
    uint8_t frame[kHeaderSize + kAbsenceTexts * korven::kBlockTextSize];
    return korven::SendTextBlock(app, kAbsentProgramMsg.traits, messages, frame, sizeof frame, LogAbsenceText);
}
