// Conference requests: stored groups, the two-frame dial, delete, add and
// hand-over to a new master.
#include <algorithm>
#include <cstring>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "requests/wide_request_steps.h"
#include "transport/bcd_digits.h"

namespace {

using korven::HeaderForm;
using korven::SendPath;
using korven::Served;
using korven::WideRequest;

constexpr WideRequest kConfGroup{{"KORVEN_WideConfGroup", 15, HeaderForm::A, SendPath::Stored}, Served::KorvenHostOnly};
// The dial sends the member list (WIDE_CONF_SET), then the dial command.
constexpr WideRequest kConfSet{{"KORVEN_WideConfDial", 18, HeaderForm::B, SendPath::Iap}};
constexpr korven::RequestTraits kConfDialCommand{
    "KORVEN_WideConfDial",       17, HeaderForm::B, SendPath::Iap, korven::ErrorOnSuccess::Clear,
    "SendWideConferenceDial... "};
constexpr WideRequest kConfDelete{{"KORVEN_WideConfDelete", 19, HeaderForm::B, SendPath::Iap}};
constexpr WideRequest kConfAdd{{"KORVEN_WideConfAdd", 20, HeaderForm::B, SendPath::Iap}};
constexpr WideRequest kConfNewMaster{{"KORVEN_WideConfNewMaster", 21, HeaderForm::A, SendPath::Stored},
                                     Served::KorvenHostOnly};

// A member number: a text of at most 22 characters, 11 packed bytes.
constexpr size_t kMemberText = sizeof(tagSTSOFTCONFGROUP::Group::ConfGroupMember[0]);
constexpr size_t kMemberBytes = kMemberText / 2;
constexpr size_t kMembers = 4;
constexpr size_t kGroups = sizeof(tagSTSOFTCONFGROUP::Groups) / sizeof(tagSTSOFTCONFGROUP::Groups[0]);
constexpr size_t kGroupName = sizeof(tagSTSOFTCONFGROUP::Group::ConfGroupName);
constexpr size_t kGroupStride = kMembers * kMemberBytes + kGroupName;  // 60 frame bytes a group
constexpr size_t kConfGroupLength = korven::kHeaderSize + kGroups * kGroupStride;
constexpr size_t kConfSetLength = korven::kHeaderSize + kMembers * kMemberBytes;
constexpr size_t kConfAddLength = 24;
// The new master travels as its first 8 digits.
constexpr size_t kMasterBytes = 4;
constexpr uint8_t kUnusedDigits = 0xFF;

// Packs the four member texts (each read up to its terminator or its 22
// characters) one after the other from field.
void EncodeMembers(uint8_t* field, const char* members) {
    for (size_t m = 0; m < kMembers; ++m) {
        korven::EncodeBcdDigits(field + m * kMemberBytes, kMemberBytes, members + m * kMemberText);
    }
}

void EncodeGroup(uint8_t* field, const tagSTSOFTCONFGROUP::Group& group, size_t g) {
    EncodeMembers(field, reinterpret_cast<const char*>(group.ConfGroupMember));
    for (size_t m = 0; m < kMembers; ++m) {
        WriteLog("ConfGroupMember[%d] - [%.*s]", static_cast<int>(m), static_cast<int>(kMemberText),
                 group.ConfGroupMember[m]);
    }
    std::memcpy(field + kMembers * kMemberBytes, group.ConfGroupName, kGroupName);
    WriteLog("== Conference Save: ConfGroupName[%d] - [%.*s]", static_cast<int>(g), static_cast<int>(kGroupName),
             group.ConfGroupName);
}

}  // namespace

int KORVEN_WideConfGroup(tagSTSOFTCONFGROUP* groups) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kConfGroup)) return -1;
    if (!korven::RequireArguments(app, {groups})) return -1;
    uint8_t frame[kConfGroupLength];
    std::fill_n(frame + korven::kHeaderSize, kConfGroupLength - korven::kHeaderSize, kUnusedDigits);
    for (size_t g = 0; g < kGroups; ++g) {
        EncodeGroup(frame + korven::kHeaderSize + g * kGroupStride, groups->Groups[g], g);
    }
    return korven::SendRequest(app, kConfGroup.traits, frame, sizeof frame);
}

int KORVEN_WideConfDial(const char* members) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kConfSet)) return -1;
    if (!korven::RequireArguments(app, {members})) return -1;
    uint8_t memberList[kConfSetLength] = {};
    EncodeMembers(memberList + korven::kHeaderSize, members);
    korven::WriteRequestHeader(app, kConfSet.traits, memberList, sizeof memberList);
    if (!korven::SendByPath(app, kConfSet.traits, memberList, sizeof memberList)) return -1;
    WriteLog("SendWideConferenceSet... ");
    return korven::SendSmallFrame(app, kConfDialCommand, uint8_t{0});
}

int KORVEN_WideConfDelete(int index) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kConfDelete, " : nIndex[%d]", index)) return -1;
    const uint8_t member = korven::OneBased(index);
    const korven::AfterSendLine line("SendWideConfDelete... Index=[%d]", member);
    return korven::SendSmallFrame(app, korven::WithLine(kConfDelete.traits, line), member);
}

int KORVEN_WideConfAdd(int memIndex, const char* number) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kConfAdd, " : MemIndex[%d], Number[%s]", memIndex, korven::Shown(number))) {
        return -1;
    }
    if (!korven::RequireArguments(app, {number})) return -1;
    uint8_t frame[kConfAddLength] = {};
    frame[korven::kHeaderSize] = korven::OneBased(memIndex);
    korven::EncodeBcdDigits(frame + korven::kHeaderSize + 1, kMemberBytes, number);
    const korven::AfterSendLine line("SendWideConfAdd... Index=[%d], Number=%s", frame[korven::kHeaderSize], number);
    return korven::SendRequest(app, korven::WithLine(kConfAdd.traits, line), frame, sizeof frame);
}

int KORVEN_WideConfNewMaster(const char* number) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginWideRequest(app, kConfNewMaster, " : Number[%s]", korven::Shown(number))) return -1;
    if (!korven::RequireArguments(app, {number})) return -1;
    uint8_t frame[korven::kHeaderSize + kMasterBytes] = {};
    korven::EncodeBcdDigits(frame + korven::kHeaderSize, kMasterBytes, number);
    const korven::AfterSendLine line("SendWideConfTrans... Index=[%s]", number);
    return korven::SendRequest(app, korven::WithLine(kConfNewMaster.traits, line), frame, sizeof frame);
}
