#include "requests/wide_request_fixture.h"

namespace korven::test {
namespace {

using pbxsim::System;

class CallKeyRequestsTest : public WideRequestTest {};

TEST_F(CallKeyRequestsTest, ShortRequestsCarryTheLowBytesOfTheirArgumentsOnBothSystemTypes) {
    struct Case {
        std::function<int()> request;
        uint8_t id;
        Form iapForm;
        Frame payload;
    };
    const Case cases[] = {
        {[] { return KORVEN_WideEventData(0x103, 0x2FF); }, 0, Form::B, {0x03, 0xFF}},
        {[] { return KORVEN_WideProgramBusy(0x101); }, 4, Form::B, {0x01, 0x00}},  // b13 has no value: 0x00
        {[] { return KORVEN_WideDataReq(0x102); }, 28, Form::C, {0x00, 0x02}},
        {[] { return KORVEN_WideSoftkey(0x0142); }, 13, Form::B, {0x42}},
        {[] { return KORVEN_WideProgkey(-1); }, 14, Form::B, {0xFF}},
    };
    for (const System system : {System::KorvenHost, System::Iap}) {
        ASSERT_NO_FATAL_FAILURE(Init(system));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.id);
            SendRecorder::Clear();
            theApp().errorCode = KORVEN_ERR_INVALID_ARGUMENT;
            EXPECT_EQ(c.request(), 0);
            EXPECT_EQ(OnlySent(), Expected(system == System::Iap ? c.iapForm : Form::A, c.id, c.payload));
            EXPECT_EQ(theApp().errorCode, 0);
        }
    }
}

TEST_F(CallKeyRequestsTest, DialledNumberIsPackedWithHookAndTrunkTypeInTheLayoutOfTheSystemType) {
    unsigned char trunk[2] = {0x02, 0xF3};
    const Frame number = Concat({{0x01, 0x23, 0xAB}, Repeat(13, 0xFF)});
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    LogCapture log;
    ASSERT_EQ(KORVEN_WideDigitStr("0123*#", 0x101, trunk), 0);
    EXPECT_EQ(OnlySent(), Expected(Form::A, 5, Concat({number, {0x01, 0x02}})));

    ASSERT_NO_FATAL_FAILURE(Init(System::Iap));
    ASSERT_EQ(KORVEN_WideDigitStr("0123*#", 0x101, trunk), 0);
    // b29 has no value of its own.
    EXPECT_EQ(OnlySent(), Expected(Form::B, 5, Concat({number, {0x01, 0x00, 0x02, 0xF3}})));
    EXPECT_TRUE(log.Contains("SendWideDigitStr... PhoneNo=[0123*#], HookType=1, CallType=0x02"));
    EXPECT_TRUE(log.Contains("SendWideDigitStrIAP... PhoneNo=[0123*#], HookType=1, TrunkgType=[0x02 0xf3]"));
}

TEST_F(CallKeyRequestsTest, DialledNumberStopsAt32DigitsOrAtTheFirstCharacterThatIsNoDigit) {
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    unsigned char trunk[2] = {};
    ASSERT_EQ(KORVEN_WideDigitStr("1234567890123456789012345678901234", 0, trunk), 0);
    ASSERT_EQ(KORVEN_WideDigitStr("12a3", 0, trunk), 0);
    const std::vector<Frame> sent = SendRecorder::Frames();
    ASSERT_EQ(sent.size(), 2u);
    const Frame digits = {0x12, 0x34, 0x56, 0x78, 0x90};
    EXPECT_EQ(Frame(sent[0].begin() + 12, sent[0].begin() + 28), Concat({digits, digits, digits, {0x12}}));
    EXPECT_EQ(Frame(sent[1].begin() + 12, sent[1].begin() + 28), Concat({{0x12}, Repeat(15, 0xFF)}));
}

TEST_F(CallKeyRequestsTest, RefusedRequestsSendNothing) {
    ASSERT_NO_FATAL_FAILURE(Init(System::Iap));
    unsigned char trunk[2] = {};
    ExpectRefused([&] { return KORVEN_WideDigitStr("", 1, trunk); }, KORVEN_ERR_INVALID_ARGUMENT);
    ExpectRefused([&] { return KORVEN_WideDigitStr(nullptr, 1, trunk); }, KORVEN_ERR_INVALID_ARGUMENT);
    ExpectRefused([] { return KORVEN_WideDigitStr("2001", 1, nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);
    ExpectRefused([] { return KORVEN_WideEnblockHandsetMode(1); }, KORVEN_ERR_NOT_FOR_IAP);
    ExpectRefused([] { return KORVEN_WideVideoUpdate(); }, KORVEN_ERR_NOT_FOR_IAP);
}

TEST_F(CallKeyRequestsTest, HandsetModeClearsTheErrorCodeAndVideoUpdateLeavesIt) {
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    theApp().errorCode = KORVEN_ERR_SEND_FAILED;
    ASSERT_EQ(KORVEN_WideEnblockHandsetMode(0x102), 0);
    EXPECT_EQ(theApp().errorCode, 0);
    theApp().errorCode = KORVEN_ERR_SEND_FAILED;
    ASSERT_EQ(KORVEN_WideVideoUpdate(), 0);
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_SEND_FAILED);
    EXPECT_EQ(SendRecorder::Frames(),
              (std::vector<Frame>{Expected(Form::A, 101, {0x02, 0xFF}), Expected(Form::A, 89, {0x00})}));
}

TEST_F(CallKeyRequestsTest, LogLinesShowTheArgumentsAndTheLargeNameOrAPlaceholderBeyondTheCatalogue) {
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    LogCapture log;
    ASSERT_EQ(KORVEN_WideEventData(300, 7), 0);
    ASSERT_EQ(KORVEN_WideEnblockHandsetMode(0x102), 0);
    ASSERT_EQ(KORVEN_WideDataReq(2), 0);
    ASSERT_EQ(KORVEN_WideDataReq(300), 0);
    const std::vector<std::string> expected = {
        "[FN-BEGIN]KORVEN_WideEventData : Type[300], ID[7]",
        "SendWideEventData... Type=[300], Code=[7]",
        "[FN-END]KORVEN_WideEventData",
        "[FN-BEGIN]KORVEN_WideEnblockHandsetMode : Status[258]",
        "SendWideHandsetMode...Mode[258]",
        "[FN-END]KORVEN_WideEnblockHandsetMode",
        "[FN-BEGIN]KORVEN_WideDataReq : ReqID[2]",
        "KORVEN_WideDataReq...  ID:2[LARGE_CALL_RESP      ]",
        "[FN-END]KORVEN_WideDataReq",
        "[FN-BEGIN]KORVEN_WideDataReq : ReqID[300]",
        "KORVEN_WideDataReq...  ID:300[-- 300               ]",
        "[FN-END]KORVEN_WideDataReq",
    };
    EXPECT_EQ(log.Messages(), expected);
    EXPECT_EQ(SendRecorder::Frames().back()[13], 0x2C);
}

class CallKeyLoopbackTest : public DemoLoopbackTest {};

TEST_F(CallKeyLoopbackTest, DialledNumberIsDecodedByThePbxAndAnsweredWithStatusNumberAndDisplay) {
    ASSERT_NO_FATAL_FAILURE(StartDemo());
    LogCapture log;
    unsigned char trunk[2] = {0x01, 0x00};
    ASSERT_EQ(KORVEN_WideDigitStr("2001", 1, trunk), 0);
    const auto dial = Expect("WIDE_DIGIT_STR");
    ASSERT_TRUE(dial);
    EXPECT_EQ(dial->bytes, Expected(Form::A, 5, Concat({{0x20, 0x01}, Repeat(14, 0xFF), {0x01, 0x01}})));
    EXPECT_NE(decoded_.str().find("WIDE_DIGIT_STR Number=[2001] HookType=1 CallType=0x01\n"), std::string::npos);

    // The display comes last; the records of the frames before it are filled.
    ASSERT_TRUE(WaitUntil([&] { return CountLinesStartingWith(log, "<-RECV[Norm[") == 1; }));
    EXPECT_EQ(KORVEN_GetLargeCallStatus(), KORVEN_CALL_STATUS_OPP_RINGING);
    tagSTSOFTDIALNUMBER dialled{};
    ASSERT_EQ(KORVEN_GetLargeDialNumber(&dialled), 0);
    EXPECT_STREQ(dialled.Number, "2001");
}

}  // namespace
}  // namespace korven::test
