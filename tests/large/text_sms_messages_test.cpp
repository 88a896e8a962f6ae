#include "large/group_message_fixture.h"
#include "pbxsim/builders/large_text_sms.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class TextSmsMessagesTest : public GroupMessageTest {};

TEST_F(TextSmsMessagesTest, ReceivedAndSentConfirmationSmsAreSeparateRecords) {
    Init(KORVEN_SYSTEM_IAP);
    SmsFields received{System::Iap, {1, 2, 3, 4}, "12345678", std::string(80, 't'), {9, 8, 7, 6, 5}};
    auto frame = LargeSmsRecv(received);
    frame[12] = 0xEE;  // b12 and b13 are not part of the message
    frame[13] = 0xEE;
    Feed(frame);
    Feed(LargeSmsSended({System::Iap, {0, 0, 0, 9}, "77", "done", {}}));
    EXPECT_EQ(Notified(), (std::vector<WPARAM>{LARGE_SMS_RECV, LARGE_SMS_SENDED}));

    const auto sms = Fetch<tagSTSOFTSMSRECV>(KORVEN_GetLargeSmsRecv);
    EXPECT_EQ(std::vector<uint8_t>(sms.reference, sms.reference + 4), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(Field(sms.number), "12345678");
    EXPECT_EQ(Field(sms.text), std::string(80, 't'));
    EXPECT_EQ(std::vector<uint8_t>(sms.trailer, sms.trailer + 5), (std::vector<uint8_t>{9, 8, 7, 6, 5}));
    const auto sended = Fetch<tagSTSOFTSMSSENDED>(KORVEN_GetLargeSmsSended);
    EXPECT_EQ(sended.reference[3], 9);
    EXPECT_EQ(Field(sended.number), Digits("77", 8));
    EXPECT_EQ(Field(sended.text), Digits("done", 80));
}

TEST_F(TextSmsMessagesTest, SmsSendNumberStopsAtTheFirstFiller) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    auto frame = LargeSmsSend({System::KorvenHost, {5, 6, 7, 8}, ""});
    const uint8_t number[] = {0x12, 0x3F, 0xFF, 0xFF};
    std::copy(std::begin(number), std::end(number), frame.begin() + 16);
    Feed(frame);
    const auto sent = Fetch<tagSTSOFTSMSSEND>(KORVEN_GetLargeSmsSend);
    EXPECT_EQ(sent.reference[0], 5);
    EXPECT_EQ(Field(sent.number), Digits("123", 8));
}

TEST_F(TextSmsMessagesTest, EightDigitNumbersDoNotSpillIntoTheirNeighbours) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    ExecFixedFields fixed;
    fixed.data.fill(0x3C);
    Feed(LargeExecFixed(fixed));
    Feed(LargeExecState({System::KorvenHost, "87654321", 0x42}));
    Feed(LargeExecTextRead({System::KorvenHost, "12345678"}));
    Feed(LargeExecTextRecv({System::KorvenHost, "11112222", "Sixteen bytes ok"}));

    const auto state = Fetch<tagSTSOFTEXECSTATE>(KORVEN_GetLargeExecState);
    EXPECT_EQ(Field(state.number), "87654321");
    EXPECT_EQ(state.state, 0x42);
    EXPECT_EQ(FetchBytes(KORVEN_GetLargeExecTextRead, KORVEN_EXEC_TEXT_READ_SIZE),
              (std::vector<uint8_t>{'1', '2', '3', '4', '5', '6', '7', '8'}));
    EXPECT_EQ(FetchBytes(KORVEN_GetLargeExecFixedStateData, KORVEN_EXEC_FIXED_STATE_SIZE),
              std::vector<uint8_t>(KORVEN_EXEC_FIXED_STATE_SIZE, 0x3C));
    const auto received = Fetch<tagSTSOFTEXECTEXTRECV>(KORVEN_GetLargeExecTextRecv);
    EXPECT_EQ(Field(received.number), "11112222");
    EXPECT_EQ(Field(received.data), "Sixteen bytes ok");
}

TEST_F(TextSmsMessagesTest, ExecTextMessageIsCopiedWhole) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    ExecTextMsgFields fields;
    fields.texts[9] = "Last preset text";
    const auto frame = LargeExecTextMsg(fields);
    Feed(frame);
    EXPECT_EQ(FetchBytes(KORVEN_GetLargeExecTextMsg, KORVEN_EXEC_TEXT_MSG_SIZE),
              std::vector<uint8_t>(frame.begin() + 12, frame.begin() + 172));
}

TEST_F(TextSmsMessagesTest, ExecDataFillsFourEntriesAndLogsEach) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    ExecDataFields fields;
    fields.entries[3] = {"44445555", {"Sixteen bytes ok", ""}};
    LogCapture log;
    Feed(LargeExecData(fields));
    const auto data = Fetch<tagSTSOFTEXECPROGRAMSTATE>(KORVEN_GetLargeExecProgramStateData);
    EXPECT_EQ(Field(data.Entries[0].phone), Digits("2001", 8));
    EXPECT_EQ(Field(data.Entries[0].disp[1]), Digits("Back at 3", 16));
    EXPECT_EQ(Field(data.Entries[3].phone), "44445555");
    EXPECT_EQ(Field(data.Entries[3].disp[0]), "Sixteen bytes ok");
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  " [ParseLargeExecData] :Exec data [0] : 2001, [In a meeting][Back at 3]",
                                  " [ParseLargeExecData] :Exec data [1] : , [][]",
                                  " [ParseLargeExecData] :Exec data [2] : , [][]",
                                  " [ParseLargeExecData] :Exec data [3] : 44445555, [Sixteen bytes ok][]",
                                  "++>[MESSAGE] : ParseLargeExecData",
                                  "[FN-BEGIN]KORVEN_GetLargeExecProgramStateData",
                                  "[FN-END]KORVEN_GetLargeExecProgramStateData",
                              }));
}

TEST_F(TextSmsMessagesTest, ExecGettersRefuseIapAndLeaveTheBufferAlone) {
    Init(KORVEN_SYSTEM_IAP);
    Feed(LargeExecState({System::Iap, "2001", 1}));
    tagSTSOFTEXECSTATE state;
    std::memset(&state, kGuard, sizeof state);
    EXPECT_EQ(KORVEN_GetLargeExecState(&state), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_FOR_IAP);
    EXPECT_EQ(state.state, kGuard);
    char text[KORVEN_EXEC_TEXT_MSG_SIZE];
    EXPECT_EQ(KORVEN_GetLargeExecTextMsg(text), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_FOR_IAP);
    tagSTSOFTSMSRECV sms;
    EXPECT_EQ(KORVEN_GetLargeSmsRecv(&sms), 0);
}

}  // namespace
}  // namespace korven::test
