#include <cstring>

#include "requests/request_sequence.h"
#include "requests/wide_request_fixture.h"

namespace korven::test {
namespace {

using pbxsim::System;

class TextSmsRequestsTest : public WideRequestTest {};

TEST_F(TextSmsRequestsTest, RefusedRequestsSendNothing) {
    char texts[KORVEN_EXEC_TEXT_MSG_SIZE] = {};
    tagSTSOFTEXECPROGDATA data{};
    ASSERT_NO_FATAL_FAILURE(Init(System::Iap));
    ExpectRefused([&] { return KORVEN_WideExecSecrTextSave(texts); }, KORVEN_ERR_NOT_FOR_IAP);
    ExpectRefused([] { return KORVEN_WideExecSecrTextSend("2001", 1); }, KORVEN_ERR_NOT_FOR_IAP);
    ExpectRefused([] { return KORVEN_WideExecTextRead("2001"); }, KORVEN_ERR_NOT_FOR_IAP);
    ExpectRefused([&] { return KORVEN_WideExecStateProgramData(&data); }, KORVEN_ERR_NOT_FOR_IAP);
    ExpectRefused([] { return KORVEN_WideExecState("2001", 1); }, KORVEN_ERR_NOT_FOR_IAP);
    ExpectRefused([] { return KORVEN_WideSmsSend("2001", nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    ExpectRefused([] { return KORVEN_WideExecSecrTextSave(nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);
    ExpectRefused([] { return KORVEN_WideExecStateProgramData(nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);
    ExpectRefused([] { return KORVEN_WideExecState(nullptr, 1); }, KORVEN_ERR_INVALID_ARGUMENT);
}

TEST_F(TextSmsRequestsTest, NumberedRequestsPackEightDigitsAndSendTheirUnusedBytesAsZero) {
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    LogCapture log;
    ASSERT_EQ(KORVEN_WideExecSecrTextSend("2001", 0x103), 0);
    ASSERT_EQ(KORVEN_WideExecState("0123456789", 2), 0);
    ASSERT_EQ(KORVEN_WideExecTextRead("12#4"), 0);
    EXPECT_EQ(SendRecorder::Frames(),
              (std::vector<Frame>{Expected(Form::A, 23, {0x20, 0x01, 0xFF, 0xFF, 0x03, 0x00}),
                                  Expected(Form::A, 34, {0x01, 0x23, 0x45, 0x67, 0x02, 0x00}),
                                  Expected(Form::A, 41, {0x12, 0xB4, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00})}));
    EXPECT_TRUE(log.Contains("KORVEN_WideExecSecrTextSend : TelNo[2001]=TextNo[259]"));
    EXPECT_TRUE(log.Contains("SendWideExecSecrState... Phone=[0123456789], State=[2]"));
    EXPECT_TRUE(log.Contains("SendWideTextRead... TEL=[12#4]"));
}

TEST_F(TextSmsRequestsTest, ExecutiveTextsTravelByteForByteAndAreLoggedWithinTheirSixteenBytes) {
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    char texts[KORVEN_EXEC_TEXT_MSG_SIZE] = {};
    std::memcpy(texts, "In a meeting", 12);
    std::memcpy(texts + 9 * 16, "Back at 3 o'clock", 16);
    tagSTSOFTEXECPROGDATA data{};
    std::memcpy(data.phone, "12345678", 8);
    std::memcpy(data.disp[0], "Out of office...", 16);
    std::memcpy(data.disp[1], "Call 2002", 9);
    LogCapture log;
    ASSERT_EQ(KORVEN_WideExecSecrTextSave(texts), 0);
    ASSERT_EQ(KORVEN_WideExecStateProgramData(&data), 0);

    const Frame display = Frame(&data.disp[0][0], &data.disp[0][0] + sizeof data.disp);
    EXPECT_EQ(SendRecorder::Frames(),
              (std::vector<Frame>{Expected(Form::A, 22, Frame(texts, texts + sizeof texts)),
                                  Expected(Form::A, 35, Concat({{0x12, 0x34, 0x56, 0x78}, display}))}));
    EXPECT_TRUE(log.Contains("SendTextMsgSave : MSG[0]=[In a meeting]"));
    EXPECT_TRUE(log.Contains("SendTextMsgSave : MSG[9]=[Back at 3 o'cloc]"));
    EXPECT_EQ(CountLinesStartingWith(log, "SendTextMsgSave : "), 10u);
    EXPECT_TRUE(
        log.Contains("SendWideExecSecrData... Phone=[12345678], Disp[0]=[Out of office...], Disp[1]=[Call 2002]"));
}

TEST_F(TextSmsRequestsTest, SmsTextIsZeroFilledOrCutToEightyCharactersWithItsUnusedBytesZero) {
    ASSERT_NO_FATAL_FAILURE(Init(System::Iap));
    const std::string longText = std::string(80, 'x') + "yyyy";
    LogCapture log;
    ASSERT_EQ(KORVEN_WideSmsSend("0123456789", "hello"), 0);
    ASSERT_EQ(KORVEN_WideSmsSend("2001", longText.c_str()), 0);
    const Frame unused = Repeat(6, 0x00);
    EXPECT_EQ(SendRecorder::Frames(),
              (std::vector<Frame>{
                  Expected(Form::B, 24,
                           Concat({unused, {0x01, 0x23, 0x45, 0x67}, TextBytes("hello"), Repeat(75, 0), unused})),
                  Expected(Form::B, 24, Concat({unused, {0x20, 0x01, 0xFF, 0xFF}, Repeat(80, 'x'), unused}))}));
    EXPECT_TRUE(log.Contains("SendWideSmsSend... Target=[0123456789], SMS=hello"));
    EXPECT_TRUE(log.Contains("SendWideSmsSend... Target=[2001], SMS=" + std::string(80, 'x')));
}

class TextSmsLoopbackTest : public LoopbackTest {};

TEST_F(TextSmsLoopbackTest, IapSmsGoesToTheAnnouncedAddressWithTheTagOfTheRegistrationAnswer) {
    pbxsim::SimulatorOptions options;
    std::copy(kRequestTag, kRequestTag + 2, options.registration.stationTag);
    ASSERT_NO_FATAL_FAILURE(Start(System::Iap, KORVEN_LISTEN_SOFTPHONE_SOCKET, std::move(options)));
    ASSERT_EQ(KORVEN_WidePhoneStart(), 0);
    ASSERT_TRUE(WaitUntil([] { return !korven::IapDestination(theApp()).empty(); }));
    ASSERT_EQ(KORVEN_WideSmsSend("2001", "hi"), 0);
    const auto sms = Expect("WIDE_SMS_SEND");
    ASSERT_TRUE(sms);
    EXPECT_EQ(sms->bytes,
              Expected(Form::B, 24, Concat({Repeat(6, 0), {0x20, 0x01, 0xFF, 0xFF}, TextBytes("hi"), Repeat(84, 0)})));
}

}  // namespace
}  // namespace korven::test
