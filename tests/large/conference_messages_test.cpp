#include "large/group_message_fixture.h"
#include "pbxsim/builders/large_conference.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class ConferenceMessagesTest : public GroupMessageTest {};

TEST_F(ConferenceMessagesTest, GroupFrameFillsAllFiveGroupsWithoutSpillingAndLogsThem) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    ConfGroupFields fields;
    fields.groups[2] = {{"201", "", "", "1234567890123456789012"}, "Alpha"};
    fields.groups[4] = {{"*9#"}, "Sixteen chars!!!"};
    LogCapture log;
    Feed(LargeConfGroup(fields));

    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_CONF_GROUP});
    const auto record = Fetch<tagSTSOFTCONFGROUP>(KORVEN_GetLargeConfGroup);
    EXPECT_EQ(Field(record.Groups[0].ConfGroupMember[2]), Digits("2003", 22));
    EXPECT_EQ(Field(record.Groups[0].ConfGroupName), Digits("Sales", 16));
    EXPECT_EQ(Field(record.Groups[2].ConfGroupMember[0]), Digits("201", 22));
    EXPECT_EQ(Field(record.Groups[2].ConfGroupMember[1]), std::string(22, '\0'));
    EXPECT_EQ(Field(record.Groups[2].ConfGroupMember[3]), "1234567890123456789012");
    EXPECT_EQ(Field(record.Groups[2].ConfGroupName), Digits("Alpha", 16));
    EXPECT_EQ(Field(record.Groups[4].ConfGroupMember[0]), Digits("*9#", 22));
    EXPECT_EQ(Field(record.Groups[4].ConfGroupName), "Sixteen chars!!!");
    EXPECT_TRUE(log.Contains("====== ConfGroupName[2] - [Alpha]"));
    EXPECT_TRUE(log.Contains("ConfGroupMember[3] - [1234567890123456789012]"));
    EXPECT_TRUE(log.Contains("====== ConfGroupName[4] - [Sixteen chars!!!]"));
    EXPECT_EQ(log.Messages().back(), "[FN-END]KORVEN_GetLargeConfGroup");
}

TEST_F(ConferenceMessagesTest, GroupGetterRefusesIapAfterAGroupFrameArrived) {
    Init(KORVEN_SYSTEM_IAP);
    Feed(LargeConfGroup({}));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_CONF_GROUP});
    tagSTSOFTCONFGROUP out;
    EXPECT_EQ(KORVEN_GetLargeConfGroup(&out), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_FOR_IAP);
}

TEST_F(ConferenceMessagesTest, StartAndStatusAreSeparateRecords) {
    Init(KORVEN_SYSTEM_IAP);
    Feed(LargeConfStart({System::Iap, 7, {"2001", "", "3003", "44"}, {1, 2, 3, 4}}));
    auto status = LargeConfStatus({System::Iap, 9, {"5005"}, {8, 0, 0, 0}});
    status[13] = 0x55;  // not part of the message
    LogCapture log;
    Feed(status);

    EXPECT_EQ(Notified(), (std::vector<WPARAM>{LARGE_CONF_START, LARGE_CONF_STATUS}));
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"++>[MESSAGE] : ParseLargeConfStatus"});
    const auto start = Fetch<tagSTSOFTCONFSTART>(KORVEN_GetLargeConfStart);
    EXPECT_EQ(start.ConfCode, 7);
    EXPECT_EQ(Field(start.MemberNumber[0]), Digits("2001", 22));
    EXPECT_EQ(Field(start.MemberNumber[1]), std::string(22, '\0'));
    EXPECT_EQ(Field(start.MemberNumber[3]), Digits("44", 22));
    EXPECT_EQ(std::vector<uint8_t>(start.MemberInfo, start.MemberInfo + 4), (std::vector<uint8_t>{1, 2, 3, 4}));
    const auto current = Fetch<tagSTSOFTCONFSTATUS>(KORVEN_GetLargeConfStatus);
    EXPECT_EQ(current.ConfCode, 9);
    EXPECT_EQ(Field(current.MemberNumber[0]), Digits("5005", 22));
    EXPECT_EQ(Field(current.MemberNumber[2]), std::string(22, '\0'));
    EXPECT_EQ(current.MemberInfo[0], 8);
}

TEST_F(ConferenceMessagesTest, EndReadsItsNumberFromB13) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    Feed(LargeConfEnd({System::KorvenHost, 3, "987"}));
    const auto end = Fetch<tagSTSOFTCONFEND>(KORVEN_GetLargeConfEnd);
    EXPECT_EQ(end.ConfCode, 3);
    EXPECT_EQ(Field(end.MemberNumber), Digits("987", 22));
}

TEST_F(ConferenceMessagesTest, WithoutWindowRecordsStayAndOnlyTheInvalidLineIsWritten) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    Feed(LargeConfEnd({System::KorvenHost, 1, "111"}));
    window_.clear();
    LogCapture log;
    FeedWithoutWindow(LargeConfEnd({System::KorvenHost, 2, "222"}));
    FeedWithoutWindow(LargeConfGroup({}));
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{"ParseLargeConfEnd : Invalid App Hwnd",
                                                        "ParseLargeConfGroup : Invalid App Hwnd"}));
    EXPECT_TRUE(Notified().empty());
    EXPECT_EQ(Field(Fetch<tagSTSOFTCONFEND>(KORVEN_GetLargeConfEnd).MemberNumber), Digits("111", 22));
}

TEST_F(ConferenceMessagesTest, RecordGettersRefuseANullRecord) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    EXPECT_EQ(KORVEN_GetLargeConfStart(nullptr), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace korven::test
