// SMS and executive-secretary messages (ids 34, 35, 37, 38, 58, 59, 60, 64,
// 72).
#include <cstddef>

#include "large/event_process_large.h"
#include "large/group_message_fields.h"

namespace korven {
namespace {

// LARGE_SMS_RECV and LARGE_SMS_SENDED; b12 and b13 are not read.
constexpr Field kSmsLayout[] = {
    {offsetof(tagSTSOFTSMSRECV, reference), 4, 14, Codec::Raw},
    {offsetof(tagSTSOFTSMSRECV, number), 8, 18, Codec::Bcd},
    {offsetof(tagSTSOFTSMSRECV, text), 80, 22, Codec::Raw},
    {offsetof(tagSTSOFTSMSRECV, trailer), 5, 102, Codec::Raw},
};

constexpr Field kSmsSendLayout[] = {
    {offsetof(tagSTSOFTSMSSEND, reference), 4, 12, Codec::Raw},
    {offsetof(tagSTSOFTSMSSEND, number), 8, 16, Codec::Bcd},
};

constexpr Field kExecTextMsgLayout[] = {{0, KORVEN_EXEC_TEXT_MSG_SIZE, 12, Codec::Raw}};

constexpr Field kExecTextRecvLayout[] = {
    {offsetof(tagSTSOFTEXECTEXTRECV, number), 8, 12, Codec::Bcd},
    {offsetof(tagSTSOFTEXECTEXTRECV, data), 16, 16, Codec::Raw},
};

constexpr Field kExecTextReadLayout[] = {{0, KORVEN_EXEC_TEXT_READ_SIZE, 12, Codec::Bcd}};

constexpr Field kExecStateLayout[] = {
    {offsetof(tagSTSOFTEXECSTATE, number), 8, 12, Codec::Bcd},
    {offsetof(tagSTSOFTEXECSTATE, state), 1, 16, Codec::Raw},
};

constexpr Field kExecFixedLayout[] = {{0, KORVEN_EXEC_FIXED_STATE_SIZE, 12, Codec::Raw}};

// One entry of LARGE_EXEC_DATA, from the entry's first frame byte.
constexpr Field kExecEntryLayout[] = {
    {offsetof(tagSTSOFTEXECPROGDATA, phone), 8, 0, Codec::Bcd},
    {offsetof(tagSTSOFTEXECPROGDATA, disp) + 0 * 16, 16, 4, Codec::Raw},
    {offsetof(tagSTSOFTEXECPROGDATA, disp) + 1 * 16, 16, 20, Codec::Raw},
};
constexpr size_t kExecEntries = 4;
constexpr size_t kExecEntryStride = 36;
static_assert(IsSound(LayoutOf(kExecEntryLayout), sizeof(tagSTSOFTEXECPROGDATA)));

template <const char* Name, auto Record, const auto& Layout>
constexpr LargeHandler kParse = ParseRecordLayout<Name, &GroupMessageRecords::textSms, Record, Layout>;

void LogExecEntry(size_t index, const tagSTSOFTEXECPROGDATA& entry) {
    WriteLog(" [ParseLargeExecData] :Exec data [%d] : %s, [%s][%s]", static_cast<int>(index),
             FieldText(entry.phone, sizeof entry.phone).c_str(), FieldText(entry.disp[0], sizeof entry.disp[0]).c_str(),
             FieldText(entry.disp[1], sizeof entry.disp[1]).c_str());
}

void ParseLargeExecData(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeExecData", [](LargeRecords& records, const FrameReader& frame) {
        tagSTSOFTEXECPROGRAMSTATE& record = records.groupMessage.textSms.execProgramState;
        record = {};
        for (size_t i = 0; i < kExecEntries; ++i) {
            DecodeFields(kExecEntryLayout, frame, 12 + kExecEntryStride * i, record.Entries[i]);
            LogExecEntry(i, record.Entries[i]);
        }
    });
}

constexpr char kExecTextMsg[] = "ParseLargeExecTextMsg";
constexpr char kExecTextRecv[] = "ParseLargeExecTextRecv";
constexpr char kSmsReceive[] = "ParseLargeSMSReceive";
constexpr char kSmsSend[] = "ParseLargeSMSSend";
constexpr char kExecState[] = "ParseLargeExecState";
constexpr char kExecFixed[] = "ParseLargeExecFixed";
constexpr char kSmsSended[] = "ParseLargeSMSSended";
constexpr char kExecConfirm[] = "ParseLargeExecConfirm";

const LargeRoute kRows[] = {
    {34, kExecTextMsg, kParse<kExecTextMsg, &TextSmsRecords::execTextMsg, kExecTextMsgLayout>},
    {35, kExecTextRecv, kParse<kExecTextRecv, &TextSmsRecords::execTextRecv, kExecTextRecvLayout>},
    {37, kSmsReceive, kParse<kSmsReceive, &TextSmsRecords::smsRecv, kSmsLayout>},
    {38, kSmsSend, kParse<kSmsSend, &TextSmsRecords::smsSend, kSmsSendLayout>},
    {58, kExecState, kParse<kExecState, &TextSmsRecords::execState, kExecStateLayout>},
    {59, kExecFixed, kParse<kExecFixed, &TextSmsRecords::execFixedState, kExecFixedLayout>},
    {60, "ParseLargeExecData", ParseLargeExecData},
    {64, kSmsSended, kParse<kSmsSended, &TextSmsRecords::smsSended, kSmsLayout>},
    {72, kExecConfirm, kParse<kExecConfirm, &TextSmsRecords::execTextRead, kExecTextReadLayout>},
};

template <class Out, class Record>
int GetTextSms(const char* name, ServedSystems served, Out* out, Record TextSmsRecords::*record) {
    return CopyOutRecord(name, served, out, &GroupMessageRecords::textSms, record);
}

// Executive-secretary records are not served to an IAP application.
constexpr ServedSystems kExec = ServedSystems::KorvenhostOnly;

}  // namespace

const LargeRouteList kTextSmsRoutes = RoutesOf(kRows);

}  // namespace korven

using korven::GetTextSms;

int KORVEN_GetLargeExecTextMsg(char* out) {
    return GetTextSms("KORVEN_GetLargeExecTextMsg", korven::kExec, out, &TextSmsRecords::execTextMsg);
}

int KORVEN_GetLargeExecTextRecv(tagSTSOFTEXECTEXTRECV* out) {
    return GetTextSms("KORVEN_GetLargeExecTextRecv", korven::kExec, out, &TextSmsRecords::execTextRecv);
}

int KORVEN_GetLargeExecTextRead(char* out) {
    return GetTextSms("KORVEN_GetLargeExecTextRead", korven::kExec, out, &TextSmsRecords::execTextRead);
}

int KORVEN_GetLargeExecState(tagSTSOFTEXECSTATE* out) {
    return GetTextSms("KORVEN_GetLargeExecState", korven::kExec, out, &TextSmsRecords::execState);
}

int KORVEN_GetLargeExecFixedStateData(char* out) {
    return GetTextSms("KORVEN_GetLargeExecFixedStateData", korven::kExec, out, &TextSmsRecords::execFixedState);
}

int KORVEN_GetLargeExecProgramStateData(tagSTSOFTEXECPROGRAMSTATE* out) {
    return GetTextSms("KORVEN_GetLargeExecProgramStateData", korven::kExec, out, &TextSmsRecords::execProgramState);
}

int KORVEN_GetLargeSmsRecv(tagSTSOFTSMSRECV* out) {
    return GetTextSms("KORVEN_GetLargeSmsRecv", korven::ServedSystems::Both, out, &TextSmsRecords::smsRecv);
}

int KORVEN_GetLargeSmsSend(tagSTSOFTSMSSEND* out) {
    return GetTextSms("KORVEN_GetLargeSmsSend", korven::ServedSystems::Both, out, &TextSmsRecords::smsSend);
}

int KORVEN_GetLargeSmsSended(tagSTSOFTSMSSENDED* out) {
    return GetTextSms("KORVEN_GetLargeSmsSended", korven::ServedSystems::Both, out, &TextSmsRecords::smsSended);
}
