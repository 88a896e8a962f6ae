// Executive-secretary requests (preset texts, text send and read, programmed
// data, state) and the SMS send.
#include <cstring>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "requests/wide_request_steps.h"
#include "transport/bcd_digits.h"

namespace {

using korven::HeaderForm;
using korven::kHeaderSize;
using korven::SendPath;
using korven::Served;
using korven::WideRequest;

constexpr WideRequest kTextSave{{"KORVEN_WideExecSecrTextSave", 22, HeaderForm::A, SendPath::Stored},
                                Served::KorvenHostOnly};
constexpr WideRequest kTextSend{{"KORVEN_WideExecSecrTextSend", 23, HeaderForm::A, SendPath::Stored},
                                Served::KorvenHostOnly};
constexpr WideRequest kTextRead{{"KORVEN_WideExecTextRead", 41, HeaderForm::A, SendPath::Stored},
                                Served::KorvenHostOnly};
constexpr WideRequest kProgramData{{"KORVEN_WideExecStateProgramData", 35, HeaderForm::A, SendPath::Stored},
                                   Served::KorvenHostOnly};
constexpr WideRequest kExecState{{"KORVEN_WideExecState", 34, HeaderForm::A, SendPath::Stored}, Served::KorvenHostOnly};
constexpr WideRequest kSmsSend{{"KORVEN_WideSmsSend", 24, HeaderForm::B, SendPath::Iap}};

// Extension and SMS target numbers: their first 8 digits, 4 packed bytes.
constexpr size_t kNumberBytes = 4;
constexpr size_t kPresetTexts = KORVEN_EXEC_TEXT_MSG_SIZE / korven::kBlockTextSize;
constexpr size_t kDispText = sizeof(tagSTSOFTEXECPROGDATA::disp[0]);
constexpr size_t kPhoneText = sizeof(tagSTSOFTEXECPROGDATA::phone);

// WIDE_TEXT_SEND and WIDE_EXEC_STATE: a number, one value byte and an
// unused byte that goes out as 0x00.
constexpr size_t kNumberAndByteLength = 18;
// WIDE_TEXT_READ: the number and four unused bytes, sent as 0x00.
constexpr size_t kTextReadLength = 20;

// WIDE_SMS_SEND: unused b12-b17, the target, the text, unused b102-b107;
// the unused bytes go out as 0x00.
constexpr size_t kSmsTargetPos = 18;
constexpr size_t kSmsTextPos = 22;
constexpr size_t kSmsText = 80;
constexpr size_t kSmsLength = 108;

void LogPresetText(size_t index, const char* text) {
    WriteLog("SendTextMsgSave : MSG[%d]=[%.*s]", static_cast<int>(index), static_cast<int>(korven::kBlockTextSize),
             text);
}

// Executive requests that carry a number (b12-b15) and a value byte (b16).
int SendNumberAndByte(CKorvenSignalLibApp& app, const WideRequest& request, const char* number, int value,
                      const korven::AfterSendLine& line) {
    uint8_t frame[kNumberAndByteLength] = {};
    korven::EncodeBcdDigits(frame + kHeaderSize, kNumberBytes, number);
    frame[kHeaderSize + kNumberBytes] = korven::Low8(value);
    return korven::SendRequest(app, korven::WithLine(request.traits, line), frame, sizeof frame);
}

}  // namespace

int KORVEN_WideExecSecrTextSave(const char* texts) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kTextSave)) return -1;
    if (!korven::RequireArguments(app, {texts})) return -1;
    uint8_t frame[kHeaderSize + kPresetTexts * korven::kBlockTextSize];
    return korven::SendTextBlock(app, kTextSave.traits, texts, frame, sizeof frame, LogPresetText);
}

int KORVEN_WideExecSecrTextSend(const char* telNo, int textNo) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kTextSend)) return -1;
    if (!korven::RequireArguments(app, {telNo})) return -1;
    const korven::AfterSendLine line("KORVEN_WideExecSecrTextSend : TelNo[%s]=TextNo[%d]", telNo, textNo);
    return SendNumberAndByte(app, kTextSend, telNo, textNo, line);
}

int KORVEN_WideExecTextRead(const char* tel) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kTextRead)) return -1;
    if (!korven::RequireArguments(app, {tel})) return -1;
    uint8_t frame[kTextReadLength] = {};
    korven::EncodeBcdDigits(frame + kHeaderSize, kNumberBytes, tel);
    const korven::AfterSendLine line("SendWideTextRead... TEL=[%s]", tel);
    return korven::SendRequest(app, korven::WithLine(kTextRead.traits, line), frame, sizeof frame);
}

int KORVEN_WideExecStateProgramData(tagSTSOFTEXECPROGDATA* data) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kProgramData)) return -1;
    if (!korven::RequireArguments(app, {data})) return -1;
    uint8_t frame[kHeaderSize + kNumberBytes + sizeof data->disp] = {};
    korven::EncodeBcdDigits(frame + kHeaderSize, kNumberBytes, data->phone);
    std::memcpy(frame + kHeaderSize + kNumberBytes, data->disp, sizeof data->disp);
    const korven::AfterSendLine line("SendWideExecSecrData... Phone=[%.*s], Disp[0]=[%.*s], Disp[1]=[%.*s]",
                                     static_cast<int>(kPhoneText), data->phone, static_cast<int>(kDispText),
                                     data->disp[0], static_cast<int>(kDispText), data->disp[1]);
    return korven::SendRequest(app, korven::WithLine(kProgramData.traits, line), frame, sizeof frame);
}

int KORVEN_WideExecState(const char* phone, int state) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kExecState)) return -1;
    if (!korven::RequireArguments(app, {phone})) return -1;
    const korven::AfterSendLine line("SendWideExecSecrState... Phone=[%s], State=[%d]", phone, state);
    return SendNumberAndByte(app, kExecState, phone, state, line);
}

int KORVEN_WideSmsSend(const char* target, const char* sms) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kSmsSend)) return -1;
    if (!korven::RequireArguments(app, {target, sms})) return -1;
    uint8_t frame[kSmsLength] = {};
    std::memcpy(frame + kSmsTextPos, sms, strnlen(sms, kSmsText));
    korven::EncodeBcdDigits(frame + kSmsTargetPos, kNumberBytes, target);
    const korven::AfterSendLine line("SendWideSmsSend... Target=[%s], SMS=%.*s", target, static_cast<int>(kSmsText),
                                     sms);
    return korven::SendRequest(app, korven::WithLine(kSmsSend.traits, line), frame, sizeof frame);
}
