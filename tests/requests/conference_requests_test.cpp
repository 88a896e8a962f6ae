#include <climits>
#include <cstring>

#include "requests/wide_request_fixture.h"

namespace korven::test {
namespace {

using pbxsim::System;

class ConferenceRequestsTest : public WideRequestTest {};

// Four member texts of 22 characters; the last fills its field without a
// terminator.
struct Members {
    char text[4][22] = {"201", "", "12a3", {}};
    Members() { std::memcpy(text[3], "1234567890123456789012", 22); }
    const char* data() const { return &text[0][0]; }
};

const Frame kPackedMembers = Concat({{0x20, 0x1F},
                                     Repeat(9, 0xFF),
                                     Repeat(11, 0xFF),
                                     {0x12},
                                     Repeat(10, 0xFF),
                                     {0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 0x56, 0x78, 0x90, 0x12}});

TEST_F(ConferenceRequestsTest, GroupsGoOutPackedWithTheirNamesAndEachTextLoggedWithinItsField) {
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    tagSTSOFTCONFGROUP groups{};
    std::memcpy(groups.Groups[1].ConfGroupMember, Members().text, sizeof(Members::text));
    std::memcpy(groups.Groups[1].ConfGroupName, "Sales department", 16);
    LogCapture log;
    ASSERT_EQ(KORVEN_WideConfGroup(&groups), 0);

    const Frame empty = Concat({Repeat(44, 0xFF), Repeat(16, 0x00)});
    const Frame sales = Concat({kPackedMembers, TextBytes("Sales department")});
    EXPECT_EQ(OnlySent(), Expected(Form::A, 15, Concat({empty, sales, empty, empty, empty})));
    EXPECT_TRUE(log.Contains("ConfGroupMember[3] - [1234567890123456789012]"));
    EXPECT_TRUE(log.Contains("== Conference Save: ConfGroupName[1] - [Sales department]"));
    EXPECT_EQ(CountLinesStartingWith(log, "ConfGroupMember["), 20u);
}

TEST_F(ConferenceRequestsTest, RefusedRequestsSendNothing) {
    tagSTSOFTCONFGROUP groups{};
    ASSERT_NO_FATAL_FAILURE(Init(System::Iap));
    ExpectRefused([&] { return KORVEN_WideConfGroup(&groups); }, KORVEN_ERR_NOT_FOR_IAP);
    ExpectRefused([] { return KORVEN_WideConfNewMaster("2001"); }, KORVEN_ERR_NOT_FOR_IAP);
    ExpectRefused([] { return KORVEN_WideConfDial(nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);
    ExpectRefused([] { return KORVEN_WideConfAdd(0, nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    ExpectRefused([] { return KORVEN_WideConfGroup(nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);
    ExpectRefused([] { return KORVEN_WideConfNewMaster(nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);
}

TEST_F(ConferenceRequestsTest, DialSendsTheMemberListThenTheDialCommandOnBothSystemTypes) {
    for (const System system : {System::KorvenHost, System::Iap}) {
        ASSERT_NO_FATAL_FAILURE(Init(system));
        const Form form = system == System::Iap ? Form::B : Form::A;
        LogCapture log;
        ASSERT_EQ(KORVEN_WideConfDial(Members().data()), 0);
        EXPECT_EQ(SendRecorder::Frames(),
                  (std::vector<Frame>{Expected(form, 18, kPackedMembers), Expected(form, 17, {0x00})}));
        EXPECT_EQ(log.Messages(),
                  (std::vector<std::string>{"[FN-BEGIN]KORVEN_WideConfDial", "SendWideConferenceSet... ",
                                            "SendWideConferenceDial... ", "[FN-END]KORVEN_WideConfDial"}));
    }
}

TEST_F(ConferenceRequestsTest, DialSendsNoDialCommandAfterAFailedMemberList) {
    ASSERT_EQ(KORVEN_Init(window_.handle(), KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_SOFTPHONE_SOCKET), 0);
    ASSERT_EQ(KORVEN_CallBackRegFnSendLawPacket(SendRecorder::Record), 0);
    SendRecorder::Clear();
    LogCapture log;
    EXPECT_EQ(KORVEN_WideConfDial(Members().data()), -1);
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_NO_SOCKET);
    // The callback is offered each frame before the socket send fails.
    EXPECT_EQ(OnlySent()[11], 18);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"[FN-BEGIN]KORVEN_WideConfDial"});
}

TEST_F(ConferenceRequestsTest, DeleteAddAndNewMasterCarryIndexPlusOneAndCutNumbers) {
    ASSERT_NO_FATAL_FAILURE(Init(System::Iap));
    LogCapture log;
    ASSERT_EQ(KORVEN_WideConfDelete(0), 0);
    ASSERT_EQ(KORVEN_WideConfDelete(255), 0);
    ASSERT_EQ(KORVEN_WideConfDelete(INT_MAX), 0);
    ASSERT_EQ(KORVEN_WideConfAdd(2, "201"), 0);
    ASSERT_EQ(KORVEN_WideConfAdd(0, "123456789012345678901234"), 0);
    const Frame digits = {0x12, 0x34, 0x56, 0x78, 0x90};
    EXPECT_EQ(
        SendRecorder::Frames(),
        (std::vector<Frame>{Expected(Form::B, 19, {0x01}), Expected(Form::B, 19, {0x00}), Expected(Form::B, 19, {0x00}),
                            Expected(Form::B, 20, Concat({{0x03, 0x20, 0x1F}, Repeat(9, 0xFF)})),
                            Expected(Form::B, 20, Concat({{0x01}, digits, digits, {0x12}}))}));
    EXPECT_TRUE(log.Contains("SendWideConfDelete... Index=[1]"));
    EXPECT_TRUE(log.Contains("SendWideConfAdd... Index=[3], Number=201"));

    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    ASSERT_EQ(KORVEN_WideConfNewMaster("0123456789"), 0);
    EXPECT_EQ(OnlySent(), Expected(Form::A, 21, {0x01, 0x23, 0x45, 0x67}));
    EXPECT_TRUE(log.Contains("SendWideConfTrans... Index=[0123456789]"));
}

class ConferenceLoopbackTest : public DemoLoopbackTest {};

TEST_F(ConferenceLoopbackTest, ConferenceDialIsAnsweredWithTheStartOfTheMembersSet) {
    ASSERT_NO_FATAL_FAILURE(StartDemo());
    LogCapture log;
    ASSERT_EQ(KORVEN_WideConfDial(Members().data()), 0);
    ASSERT_TRUE(Expect("WIDE_CONF_DIAL"));
    EXPECT_NE(decoded_.str().find("WIDE_CONF_SET Member[0]=[201] Member[1]=[] Member[2]=[12] "
                                  "Member[3]=[1234567890123456789012]\nWIDE_CONF_DIAL\n"),
              std::string::npos)
        << decoded_.str();

    ASSERT_TRUE(WaitUntil([&] { return CountLinesStartingWith(log, "<-RECV[Larg[ 62][LARGE_CONF_START") == 1; }));
    tagSTSOFTCONFSTART start{};
    ASSERT_EQ(KORVEN_GetLargeConfStart(&start), 0);
    EXPECT_EQ(std::string(start.MemberNumber[0]), "201");
    EXPECT_EQ(std::string(start.MemberNumber[2]), "12");
}

}  // namespace
}  // namespace korven::test
