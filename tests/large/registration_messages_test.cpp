#include <algorithm>
#include <mutex>
#include <string>

#include "large/group_message_fixture.h"
#include "pbxsim/pbx_frames.h"
#include "requests/request_sequence.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class RegistrationMessagesTest : public GroupMessageTest {};

TEST_F(RegistrationMessagesTest, KorvenhostVersionCheckFillsTheRecordAndLogsIt) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    RegistrationAnswer answer;
    answer.result = 3;
    answer.digits = "12345";  // 12 34 5F FF
    answer.realPort = 6001;
    answer.countryCode = 0x82FF;
    answer.signalType = 1;
    LogCapture log;
    Feed(BuildVersCheck(System::KorvenHost, answer));

    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_VERS_CHECK});
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  "======= ParseLargeVerCheck: Result[3], SignalType[1][TCP], RealPort[6001]",
                                  "ParseLargeVerCheck: COUNTRY CODE[--KOREAN--]",
                                  "++>[MESSAGE] : ParseLargeVerCheck",
                              }));
    const auto record = Fetch<tagSTSOFTVERSIONCHECK>(KORVEN_GetLargeVersionCheck);
    EXPECT_EQ(record.Result, 3);
    EXPECT_EQ(Field(record.Digits), Digits("12345", 8));
    EXPECT_EQ(record.CountryCode, 1);
    EXPECT_EQ(record.SignalType, 1);
    EXPECT_EQ(record.RealPort, 6001);
}

TEST_F(RegistrationMessagesTest, KorvenhostCountryCodesAndSignalTypeNames) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    struct Case {
        uint16_t code;
        uint8_t index;
        const char* line;
    };
    const Case cases[] = {
        {0x1FFF, 0, "ParseLargeVerCheck: COUNTRY CODE[--ENGLISH--]"},
        {0x39FF, 2, "ParseLargeVerCheck: COUNTRY CODE[--ITALIAN--]"},
        {0x49FF, 4, "ParseLargeVerCheck: COUNTRY CODE[--ITALIAN--]"},
        {0xFF82, 1, "ParseLargeVerCheck: COUNTRY CODE[--UNKNOWN--]"},
    };
    for (const Case& c : cases) {
        RegistrationAnswer answer;
        answer.countryCode = c.code;
        answer.signalType = 3;
        answer.digits = "12345678";
        LogCapture log;
        Feed(BuildVersCheck(System::KorvenHost, answer));
        EXPECT_TRUE(log.Contains(c.line)) << c.line;
        EXPECT_TRUE(log.Contains("======= ParseLargeVerCheck: Result[0], SignalType[3][UDP], RealPort[6000]"));
        const auto record = Fetch<tagSTSOFTVERSIONCHECK>(KORVEN_GetLargeVersionCheck);
        EXPECT_EQ(record.CountryCode, c.index);
        EXPECT_EQ(record.SignalType, 3);
        EXPECT_EQ(Field(record.Digits), "12345678");
    }
}

TEST_F(RegistrationMessagesTest, IapVersionCheckKeepsTheRegistrationAndSetsTheAliveLinkTime) {
    Init(KORVEN_SYSTEM_IAP);
    RegistrationAnswer answer;
    answer.result = 2;
    answer.digits = "87654321";
    answer.countryCode = 0x1FFF;  // travels FF 1F
    answer.signalType = 2;
    answer.aliveLinkTime = 3000;
    answer.stationTag[0] = 0xAB;
    answer.stationTag[1] = 0x01;
    answer.iapAddress = "192.168.100.200";
    Bytes frame = BuildVersCheck(System::Iap, answer);
    frame[32] = 0x17;  // a real port only a KORVENHOST PBX sends
    frame[33] = 0x70;
    LogCapture log;
    Feed(frame);

    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_VERS_CHECK});
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  "ParseLargeVerCheckIAP: Result[2], SignalType[2][TLS]",
                                  "ParseLargeVerCheckIAP: COUNTRY CODE[--ENGLISH--]",
                                  "++>[MESSAGE] : ParseLargeVerCheck",
                              }));
    const auto record = Fetch<tagSTSOFTVERSIONCHECK>(KORVEN_GetLargeVersionCheck);
    EXPECT_EQ(record.Result, 2);
    EXPECT_EQ(Field(record.Digits), "87654321");
    EXPECT_EQ(record.CountryCode, 0);
    EXPECT_EQ(record.SignalType, 2);
    EXPECT_EQ(record.RealPort, 0);
    EXPECT_EQ(KORVEN_GetAliveLinkTime(), 3000u);
    const StationTag tag = CurrentStationTag(theApp());
    EXPECT_EQ(tag.bytes[0], 0xAB);
    EXPECT_EQ(tag.bytes[1], 0x01);
    EXPECT_EQ(IapDestination(theApp()), "192.168.100.200");
    std::lock_guard<std::mutex> guard(theApp().recordLock);
    EXPECT_TRUE(std::equal(frame.begin() + 12, frame.begin() + 80, theApp().large.iapRegistration));
}

TEST_F(RegistrationMessagesTest, IapCountryCodeTravelsLowByteFirst) {
    Init(KORVEN_SYSTEM_IAP);
    RegistrationAnswer answer;
    answer.countryCode = 0xFF1F;  // travels 1F FF, the KORVENHOST order of English
    LogCapture log;
    Feed(BuildVersCheck(System::Iap, answer));
    EXPECT_TRUE(log.Contains("ParseLargeVerCheckIAP: COUNTRY CODE[--UNKNOWN:KOREAN--]"));
    EXPECT_EQ(Fetch<tagSTSOFTVERSIONCHECK>(KORVEN_GetLargeVersionCheck).CountryCode, 1);
}

TEST_F(RegistrationMessagesTest, KorvenhostVersionCheckLeavesTheIapRegistrationAlone) {
    Init(KORVEN_SYSTEM_IAP);
    RegistrationAnswer answer;
    answer.iapAddress = "10.0.0.9";
    Feed(BuildVersCheck(System::Iap, answer));
    Init(KORVEN_SYSTEM_KORVENHOST);
    KORVEN_SetAliveLinkTime(7000);
    Feed(BuildVersCheck(System::KorvenHost, {}));
    EXPECT_EQ(IapDestination(theApp()), "10.0.0.9");
    EXPECT_EQ(KORVEN_GetAliveLinkTime(), 7000u);
}

TEST_F(RegistrationMessagesTest, WithoutAWindowTheRecordsAndAliveLinkTimeStay) {
    Init(KORVEN_SYSTEM_IAP);
    RegistrationAnswer answer;
    answer.result = 5;
    Feed(BuildVersCheck(System::Iap, answer));
    KORVEN_SetAliveLinkTime(4000);
    answer.result = 6;
    answer.aliveLinkTime = 100;
    answer.iapAddress = "10.9.9.9";
    FeedWithoutWindow(BuildVersCheck(System::Iap, answer));
    EXPECT_EQ(Fetch<tagSTSOFTVERSIONCHECK>(KORVEN_GetLargeVersionCheck).Result, 5);
    EXPECT_EQ(KORVEN_GetAliveLinkTime(), 4000u);
    EXPECT_NE(IapDestination(theApp()), "10.9.9.9");
}

TEST_F(RegistrationMessagesTest, InitialEndIdentifierComesBackWithItsEndLine) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    RegistrationAnswer answer;
    answer.initialEndId = 0x80;
    Feed(BuildInitialEnd(System::KorvenHost, answer));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_INITIAL_END});
    LogCapture log;
    EXPECT_EQ(KORVEN_GetLargeInitialEndID(), 128);
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{"[FN-BEGIN]KORVEN_GetLargeInitialEndID",
                                                        "[FN-END]KORVEN_GetLargeInitialEndID : ID[128]"}));
}

TEST_F(RegistrationMessagesTest, VersionCheckGetterRefusesANullRecord) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    EXPECT_EQ(KORVEN_GetLargeVersionCheck(nullptr), -1);
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace korven::test
