#include <atomic>
#include <string>
#include <thread>

#include "large/group_message_fixture.h"
#include "pbxsim/builders/large_call_state.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class CallStateMessagesTest : public GroupMessageTest {
protected:
    void SetUp() override { Init(KORVEN_SYSTEM_KORVENHOST); }
};

TEST_F(CallStateMessagesTest, CallResponseAndStatusKeepTheirByte) {
    LogCapture log;
    Feed(LargeCallResponse(KORVEN_CALL_RESP_DND));
    Feed(LargeCallStatus(200));
    EXPECT_EQ(Notified(), (std::vector<WPARAM>{LARGE_CALL_RESP, LARGE_CALL_STATUS}));
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{"++>[MESSAGE] : ParseLargeCallResp", "++>[MESSAGE] : ParseLargeCallStatus"}));
    EXPECT_EQ(KORVEN_GetLargeCallResponseStatus(), KORVEN_CALL_RESP_DND);
    EXPECT_EQ(KORVEN_GetLargeCallStatus(), 200);
}

TEST_F(CallStateMessagesTest, IdleStatusCarriesTheEmailCountOnlyInTheKorvenhost20ByteForm) {
    struct Case {
        int systemType;
        size_t length;
        uint8_t email;
        const char* line;
    };
    const Case cases[] = {
        {KORVEN_SYSTEM_KORVENHOST, 20, 0x15,
         "ParseLargeIdleStatus [nLen= 20] -- DNDMode[01], AbsenceMode[02], TaviCount[0c], StationCount[04], "
         "E-mailCount[15]"},
        {KORVEN_SYSTEM_IAP, 20, 0,
         "ParseLargeIdleStatus [nLen= 20] -- DNDMode[01], AbsenceMode[02], TaviCount[0c], StationCount[04]"},
        {KORVEN_SYSTEM_KORVENHOST, 21, 0,
         "ParseLargeIdleStatus [nLen= 21] -- DNDMode[01], AbsenceMode[02], TaviCount[0c], StationCount[04]"},
    };
    for (const Case& c : cases) {
        Init(c.systemType);
        IdleStatusFields fields;
        fields.dndMode = 1;
        fields.absenceMode = 2;
        fields.taviCount = 12;
        fields.stationCount = 4;
        fields.emailCount = 0x15;
        fields.length = c.length;
        LogCapture log;
        Feed(LargeIdleStatus(fields));
        EXPECT_EQ(log.Messages(), (std::vector<std::string>{c.line, "++>[MESSAGE] : ParseLargeIdleStatus"}));
        EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_IDLE_STATUS});
        const auto info = Fetch<tagSTSOFTIDLEINFO>(KORVEN_GetLargeIdleStatusInfo);
        EXPECT_EQ(info.DNDMode, 1);
        EXPECT_EQ(info.AbsenceMode, 2);
        EXPECT_EQ(info.TaviCount, 12);
        EXPECT_EQ(info.StationCount, 4);
        EXPECT_EQ(info.EmailCount, c.email);
    }
}

TEST_F(CallStateMessagesTest, CallNumberFieldsFollowTheFrameLength) {
    struct Case {
        size_t length;
        bool did;
        bool callNameEx;
    };
    for (const Case& c : {Case{73, false, false}, Case{74, true, false}, Case{108, true, true}}) {
        CallNumberFields fields;
        fields.length = c.length;
        Feed(LargeCallNumber(fields));
        const auto record = Fetch<tagSTSOFTCALLNUMBER>(KORVEN_GetLargeCallNumber);
        EXPECT_EQ(Field(record.Number), Digits("0312345678", 16));
        EXPECT_EQ(Field(record.Name), Digits("Reception", 16));
        EXPECT_EQ(Field(record.szDIDNumber), Digits(c.did ? "0215550100" : "", 16)) << c.length;
        EXPECT_EQ(Field(record.szDIDName), Digits(c.did ? "Sales line" : "", 16)) << c.length;
        EXPECT_EQ(Field(record.szCallNameEx), Digits(c.callNameEx ? "4412" : "", 32)) << c.length;
    }
}

TEST_F(CallStateMessagesTest, CallNumberDecodesEveryFieldAndLogsIt) {
    CallNumberFields fields;
    fields.id = 0x01020304;
    fields.trunkType = {0x0A, 0xB0};
    fields.name = "Sixteen chars!!!";
    fields.didNumber = BcdBytes("12345678901234567890", 16);
    fields.callNameEx = BcdBytes(std::string(64, '7'), 32);
    LogCapture log;
    Feed(LargeCallNumber(fields));

    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_CALL_NUMBER});
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{
                  "Call_Number : (Len-108) ID[16909060], Number [0312345678], Name[Sixteen chars!!!], "
                  "TrunkType[0a b0], DID Number[1234567890123456], DID Name[Sales line], szCallNameEx[" +
                      std::string(32, '7') + "]",
                  "++>[MESSAGE] : ParseLargeCallNumber"}));
    const auto record = Fetch<tagSTSOFTCALLNUMBER>(KORVEN_GetLargeCallNumber);
    EXPECT_EQ(record.ID, 0x01020304);
    EXPECT_EQ(record.TrunkType[0], 0x0A);
    EXPECT_EQ(record.TrunkType[1], 0xB0);
    EXPECT_EQ(Field(record.Name), "Sixteen chars!!!");
    EXPECT_EQ(Field(record.szDIDNumber), "1234567890123456");
    EXPECT_EQ(Field(record.szCallNameEx), std::string(32, '7'));
}

TEST_F(CallStateMessagesTest, NumberStartingWithAnEmptyByteIsEmpty) {
    CallNumberFields fields;
    fields.number = {0xFF, 0x12, 0x34};
    Feed(LargeDialNumber(fields));
    EXPECT_EQ(Field(Fetch<tagSTSOFTDIALNUMBER>(KORVEN_GetLargeDialNumber).Number), std::string(16, '\0'));
}

TEST_F(CallStateMessagesTest, DialAndCallNumbersAreSeparateRecords) {
    CallNumberFields call;
    call.name = "Caller";
    Feed(LargeCallNumber(call));
    CallNumberFields dial;
    dial.name = "Dialled";
    dial.number = BcdBytes("*8#", 8);
    dial.length = 74;
    LogCapture log;
    Feed(LargeDialNumber(dial));

    EXPECT_EQ(log.Messages().front(),
              "ParseLargeDialNumber : (Len-74) ID[1], Number [*8#], Name[Dialled], TrunkType[01 02], "
              "szDIDNumber[0215550100], szDIDName[Sales line], szCallNameEx[]");
    EXPECT_EQ(Field(Fetch<tagSTSOFTCALLNUMBER>(KORVEN_GetLargeCallNumber).Name), Digits("Caller", 16));
    EXPECT_EQ(Field(Fetch<tagSTSOFTDIALNUMBER>(KORVEN_GetLargeDialNumber).Name), Digits("Dialled", 16));
    Feed(LargeCallNumber(call));
    EXPECT_EQ(Field(Fetch<tagSTSOFTDIALNUMBER>(KORVEN_GetLargeDialNumber).Number), Digits("*8#", 16));
}

// Frames of two callers alternate while the application reads the record:
// every read must be one caller whole, never a mix.
TEST_F(CallStateMessagesTest, RecordsReadWhileFramesArriveAreNeverTorn) {
    CallNumberFields first;
    first.id = 0x11111111;
    first.number = BcdBytes("1111111111111111", 8);
    first.name = "AAAAAAAAAAAAAAAA";
    CallNumberFields second;
    second.id = 0x22222222;
    second.number = BcdBytes("2222", 8);
    second.name = "BB";
    const Bytes frames[] = {LargeCallNumber(first), LargeCallNumber(second)};
    Feed(frames[0]);
    theApp().windowMessageType = 1;
    std::atomic<bool> done{false};
    std::thread feeder([&] {
        for (int i = 0; i < 2000; ++i) Feed(frames[i % 2]);
        done = true;
    });
    int reads = 0;
    while (!done || reads == 0) {
        tagSTSOFTCALLNUMBER record;
        ASSERT_EQ(KORVEN_GetLargeCallNumber(&record), 0);
        const bool isFirst = record.ID == 0x11111111;
        EXPECT_TRUE(isFirst || record.ID == 0x22222222);
        EXPECT_EQ(Field(record.Number), isFirst ? "1111111111111111" : Digits("2222", 16));
        EXPECT_EQ(Field(record.Name), isFirst ? "AAAAAAAAAAAAAAAA" : Digits("BB", 16));
        ++reads;
    }
    feeder.join();
    theApp().windowMessageType = 0;
    TestWindow::Pump();
}

}  // namespace
}  // namespace korven::test
