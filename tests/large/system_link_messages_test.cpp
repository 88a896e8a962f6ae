#include "large/group_message_fixture.h"
#include "pbxsim/builders/large_conference.h"
#include "pbxsim/builders/large_indicator.h"
#include "pbxsim/builders/large_media.h"
#include "pbxsim/builders/large_system_link.h"
#include "pbxsim/builders/large_text_sms.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class SystemLinkMessagesTest : public GroupMessageTest {};

TEST_F(SystemLinkMessagesTest, ErrorResponseIsLoggedInHexAndStored) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    LogCapture log;
    Feed(LargeErrorResp({System::KorvenHost, 0x29, 5}));
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{"ParseLargeErrorResp: OrgMsgID[29], ErrorID[05]",
                                                        "++>[MESSAGE] : ParseLargeErrorResp"}));
    const auto error = Fetch<tagSTSOFTERRORRESP>(KORVEN_GetLargeSystemErrorResponse);
    EXPECT_EQ(error.OrgMsgID, 0x29);
    EXPECT_EQ(error.ErrorID, 5);
}

TEST_F(SystemLinkMessagesTest, DatabaseUpdateIdIsStoredOnBothSystemsButServedOnIapOnly) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    Feed(LargeDBUpdate({System::KorvenHost, "Sixteen-byte-id!"}));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_DB_UPDATE});
    char id[KORVEN_DB_UPDATE_ID_SIZE];
    std::memset(id, kGuard, sizeof id);
    EXPECT_EQ(KORVEN_GetLargeDBUpdateID(id), -1);
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_FOR_KORVENHOST);
    EXPECT_EQ(static_cast<uint8_t>(id[0]), kGuard);

    Init(KORVEN_SYSTEM_IAP);
    LogCapture log;
    const auto copied = FetchBytes(KORVEN_GetLargeDBUpdateID, KORVEN_DB_UPDATE_ID_SIZE);
    EXPECT_EQ(std::string(copied.begin(), copied.end()), "Sixteen-byte-id!");
    EXPECT_EQ(log.Messages().back(), "[FN-END]KORVEN_GetLargeDBUpdateID : ID[Sixteen-byte-id!]");
}

TEST_F(SystemLinkMessagesTest, IapPhoneDatabase5TakesTheFallbackAddressFor0xFF) {
    Init(KORVEN_SYSTEM_IAP);
    PhoneDB5Fields fields;
    fields.system = System::Iap;
    fields.id = LARGE_PHONE_DB5_IAP;
    fields.name = std::string(32, 'N');
    fields.mms.address = {0xFF, 1, 2, 3};
    fields.imps.address = {10, 20, 30, 40};
    LogCapture log;
    Feed(LargePhoneDB5(fields));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_PHONE_DB5_IAP});
    const auto db5 = Fetch<tagSTSOFTPHONEDB5>(KORVEN_GetLargePhoneDB5);
    EXPECT_EQ(Field(db5.Name), std::string(32, 'N'));
    EXPECT_EQ(Field(db5.MMSAddr), Digits("10.0.1.5", 16));
    EXPECT_EQ(db5.MMSPort, 8080);
    EXPECT_EQ(Field(db5.IMPSAddr), Digits("10.20.30.40", 16));
    EXPECT_EQ(db5.IMPSPort, 8081);
    EXPECT_EQ(log.Messages().front(), "[ParseLargePhoneDB5_IAP] : Name[" + std::string(32, 'N') +
                                          "], MMSAddr - 10.0.1.5[8080], IMPSAddr -10.20.30.40[8081]");
}

TEST_F(SystemLinkMessagesTest, KorvenhostLayoutFollowsTheSystemTypeNotTheId) {
    Init(KORVEN_SYSTEM_IAP);
    PhoneDB5Fields iap;
    iap.system = System::Iap;
    Feed(LargePhoneDB5(iap));
    Init(KORVEN_SYSTEM_KORVENHOST);
    PhoneDB5Fields fields;
    fields.id = LARGE_PHONE_DB5_IAP;
    fields.mms = {{255, 255, 255, 255}, 65535, {}};
    LogCapture log;
    Feed(LargePhoneDB5(fields));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_PHONE_DB5_IAP});
    const auto db5 = Fetch<tagSTSOFTPHONEDB5>(KORVEN_GetLargePhoneDB5);
    EXPECT_EQ(Field(db5.Name), std::string(32, '\0'));
    EXPECT_EQ(Field(db5.MMSAddr), "255.255.255.255" + std::string(1, '\0'));
    EXPECT_EQ(db5.MMSPort, 65535);
    EXPECT_EQ(Field(db5.IMPSAddr), Digits("10.0.0.6", 16));
    EXPECT_TRUE(log.Contains("[ParseLargePhoneDB5] : MMSAddr - 255.255.255.255[65535], IMPSAddr -10.0.0.6[8081]"));
}

TEST_F(SystemLinkMessagesTest, WithoutWindowEachHandlerWritesItsOwnName) {
    Init(KORVEN_SYSTEM_IAP);
    LogCapture log;
    FeedWithoutWindow(LargeGKRestart());
    FeedWithoutWindow(LargeDBUpdate({}));
    FeedWithoutWindow(LargeLinkTest());
    FeedWithoutWindow(LargePhoneDB5({}));
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  "ParseLargeGKRestart : Invalid App Hwnd", "ParseLargeDBUpdate : Invalid App Hwnd",
                                  "ParseLargeLinkTest : Invalid App Hwnd", "ParseLargePhoneDB5 : Invalid App Hwnd"}));
    EXPECT_TRUE(Notified().empty());
}

TEST_F(SystemLinkMessagesTest, MessagesWithoutDataOnlyNotify) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    const std::pair<std::vector<uint8_t>, const char*> notices[] = {
        {LargeLinkTest(), "ParseLargeLinkTest"},       {LargeGKRestart(), "ParseLargeGKRestart"},
        {LargeConfTrans(), "ParseLargeConfTrans"},     {LargeSpotChoice(), "ParseLargeSpotChoice"},
        {LargeSpotInfo(), "ParseLargeSpotInfo"},       {LargeSmsText(), "ParseLargeSMSText"},
        {LargeVideoUpdate(), "ParseLargeVideoUpdate"},
    };
    LogCapture log;
    std::vector<std::string> lines;
    std::vector<WPARAM> ids;
    for (const auto& [frame, name] : notices) {
        Feed(frame);
        lines.push_back(std::string("++>[MESSAGE] : ") + name);
        ids.push_back(frame[11]);
    }
    EXPECT_EQ(log.Messages(), lines);
    EXPECT_EQ(Notified(), ids);
}

}  // namespace
}  // namespace korven::test
