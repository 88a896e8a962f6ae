// Conference groups, start, status and end (ids 24, 22, 26, 23).
#include <cstddef>

#include "large/event_process_large.h"
#include "large/group_message_fields.h"

namespace korven {
namespace {

using Group = tagSTSOFTCONFGROUP::Group;

constexpr size_t kGroupCount = 5;
constexpr size_t kMembers = 4;
constexpr size_t kMemberDigits = 22;
constexpr size_t kGroupStride = 60;

// One group of LARGE_CONF_GROUP, from the group's first frame byte.
constexpr Field kGroupLayout[] = {
    {offsetof(Group, ConfGroupMember) + 0 * kMemberDigits, kMemberDigits, 0, Codec::Bcd},
    {offsetof(Group, ConfGroupMember) + 1 * kMemberDigits, kMemberDigits, 11, Codec::Bcd},
    {offsetof(Group, ConfGroupMember) + 2 * kMemberDigits, kMemberDigits, 22, Codec::Bcd},
    {offsetof(Group, ConfGroupMember) + 3 * kMemberDigits, kMemberDigits, 33, Codec::Bcd},
    {offsetof(Group, ConfGroupName), 16, 44, Codec::Raw},
};

// LARGE_CONF_START and LARGE_CONF_STATUS; b13 is not read.
constexpr Field kMembersLayout[] = {
    {offsetof(tagSTSOFTCONFSTART, ConfCode), 1, 12, Codec::Raw},
    {offsetof(tagSTSOFTCONFSTART, MemberNumber) + 0 * kMemberDigits, kMemberDigits, 14, Codec::Bcd},
    {offsetof(tagSTSOFTCONFSTART, MemberNumber) + 1 * kMemberDigits, kMemberDigits, 25, Codec::Bcd},
    {offsetof(tagSTSOFTCONFSTART, MemberNumber) + 2 * kMemberDigits, kMemberDigits, 36, Codec::Bcd},
    {offsetof(tagSTSOFTCONFSTART, MemberNumber) + 3 * kMemberDigits, kMemberDigits, 47, Codec::Bcd},
    {offsetof(tagSTSOFTCONFSTART, MemberInfo), kMembers, 58, Codec::Raw},
};

constexpr Field kEndLayout[] = {
    {offsetof(tagSTSOFTCONFEND, ConfCode), 1, 12, Codec::Raw},
    {offsetof(tagSTSOFTCONFEND, MemberNumber), kMemberDigits, 13, Codec::Bcd},
};

static_assert(IsSound(LayoutOf(kGroupLayout), sizeof(Group)) &&
              IsSound(LayoutOf(kMembersLayout), sizeof(tagSTSOFTCONFSTART)) &&
              IsSound(LayoutOf(kEndLayout), sizeof(tagSTSOFTCONFEND)));

void LogGroup(size_t index, const Group& group) {
    WriteLog("====== ConfGroupName[%d] - [%s]", static_cast<int>(index),
             FieldText(group.ConfGroupName, sizeof group.ConfGroupName).c_str());
    for (size_t m = 0; m < kMembers; ++m) {
        WriteLog("ConfGroupMember[%d] - [%s]", static_cast<int>(m),
                 FieldText(group.ConfGroupMember[m], kMemberDigits).c_str());
    }
}

void ParseLargeConfGroup(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeConfGroup", [](LargeRecords& records, const FrameReader& frame) {
        tagSTSOFTCONFGROUP& record = records.groupMessage.conference.group;
        record = {};
        for (size_t g = 0; g < kGroupCount; ++g) {
            DecodeFields(kGroupLayout, frame, 12 + kGroupStride * g, record.Groups[g]);
            LogGroup(g, record.Groups[g]);
        }
    });
}

constexpr char kConfStart[] = "ParseLargeConfStart";
constexpr char kConfEnd[] = "ParseLargeConfEnd";
constexpr char kConfStatus[] = "ParseLargeConfStatus";

template <const char* Name, auto Record, const auto& Layout>
constexpr LargeHandler kParse = ParseRecordLayout<Name, &GroupMessageRecords::conference, Record, Layout>;

const LargeRoute kRows[] = {
    {22, kConfStart, kParse<kConfStart, &ConferenceRecords::start, kMembersLayout>},
    {23, kConfEnd, kParse<kConfEnd, &ConferenceRecords::end, kEndLayout>},
    {24, "ParseLargeConfGroup", ParseLargeConfGroup},
    {26, kConfStatus, kParse<kConfStatus, &ConferenceRecords::status, kMembersLayout>},
};

}  // namespace

const LargeRouteList kConferenceRoutes = RoutesOf(kRows);

}  // namespace korven

int KORVEN_GetLargeConfGroup(tagSTSOFTCONFGROUP* out) {
    return korven::CopyOutRecord("KORVEN_GetLargeConfGroup", korven::ServedSystems::KorvenhostOnly, out,
                                 &GroupMessageRecords::conference, &ConferenceRecords::group);
}

int KORVEN_GetLargeConfStart(tagSTSOFTCONFSTART* out) {
    return korven::CopyOutRecord("KORVEN_GetLargeConfStart", korven::ServedSystems::Both, out,
                                 &GroupMessageRecords::conference, &ConferenceRecords::start);
}

int KORVEN_GetLargeConfStatus(tagSTSOFTCONFSTATUS* out) {
    return korven::CopyOutRecord("KORVEN_GetLargeConfStatus", korven::ServedSystems::Both, out,
                                 &GroupMessageRecords::conference, &ConferenceRecords::status);
}

int KORVEN_GetLargeConfEnd(tagSTSOFTCONFEND* out) {
    return korven::CopyOutRecord("KORVEN_GetLargeConfEnd", korven::ServedSystems::Both, out,
                                 &GroupMessageRecords::conference, &ConferenceRecords::end);
}
