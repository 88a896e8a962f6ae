#include <string>

#include "large/event_process_large.h"
#include "large/group_message_fixture.h"
#include "pbxsim/builders/large_call_state.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

struct TableRow {
    int id;
    const char* handler;
};

constexpr TableRow kDispatchTable[] = {
    {0, "ParseLargeInitialEnd"},   {1, "ParseLargeVerCheck"},        {2, "ParseLargeCallResp"},
    {3, "ParseLargeCallStatus"},   {4, "ParseLargeIdleStatus"},      {5, "ParseLargeCallNumber"},
    {7, "ParseLargeDialNumber"},   {9, "ParseLargePhoneDB"},         {13, "ParseLargeOnOffDisp"},
    {14, "ParseLargeProgramMsg"},  {15, "ParseLargeVDialNumber"},    {17, "ParseLargeSoftMenu"},
    {18, "ParseLargeSoftList"},    {19, "ParseLargeProgKey"},        {22, "ParseLargeConfStart"},
    {23, "ParseLargeConfEnd"},     {24, "ParseLargeConfGroup"},      {26, "ParseLargeConfStatus"},
    {28, "ParseLargeConfTrans"},   {29, "ParseLargeIdleScreen"},     {30, "ParseLargeLedData"},
    {31, "ParseLargeSpotNews"},    {34, "ParseLargeExecTextMsg"},    {35, "ParseLargeExecTextRecv"},
    {37, "ParseLargeSMSReceive"},  {38, "ParseLargeSMSSend"},        {41, "ParseLargeSMSText"},
    {51, "ParseLargeAudioCtrl"},   {52, "ParseLargeCallDisconnect"}, {53, "ParseLargeMissedCall"},
    {54, "ParseLargeLinkTest"},    {55, "ParseLargeSpotChoice"},     {57, "ParseLargeSpotInfo"},
    {58, "ParseLargeExecState"},   {59, "ParseLargeExecFixed"},      {60, "ParseLargeExecData"},
    {62, "ParseLargeErrorResp"},   {63, "ParseLargeDispInfo"},       {64, "ParseLargeSMSSended"},
    {72, "ParseLargeExecConfirm"}, {80, "ParseLargeVideoCtrl"},      {84, "ParseLargePhoneDB5"},
    {89, "ParseLargeVideoUpdate"}, {118, "ParseLargeIdleSoft"},      {125, "ParseLargePhoneDB5"},
    {160, "ParseLargeGKRestart"},  {162, "ParseLargeDBUpdate"},
};
static_assert(sizeof kDispatchTable / sizeof kDispatchTable[0] == 47);

constexpr TableRow kNotificationOnly[] = {
    {15, "ParseLargeVDialNumber"}, {28, "ParseLargeConfTrans"},      {29, "ParseLargeIdleScreen"},
    {41, "ParseLargeSMSText"},     {52, "ParseLargeCallDisconnect"}, {53, "ParseLargeMissedCall"},
    {55, "ParseLargeSpotChoice"},  {57, "ParseLargeSpotInfo"},       {89, "ParseLargeVideoUpdate"},
};

const char* ListedHandler(int id) {
    for (const TableRow& row : kDispatchTable) {
        if (row.id == id) return row.handler;
    }
    return nullptr;
}

TEST(LargeDispatchTableTest, RoutesExactlyTheListedIdsToTheirHandlers) {
    for (int id = 0; id <= 255; ++id) {
        const LargeRoute* route = FindLargeRoute(id);
        const char* listed = ListedHandler(id);
        if (listed == nullptr) {
            EXPECT_EQ(route, nullptr) << "id " << id;
        } else {
            ASSERT_NE(route, nullptr) << "id " << id;
            EXPECT_STREQ(route->handlerName, listed) << "id " << id;
        }
    }
    ASSERT_NE(FindLargeRoute(84), nullptr);
    ASSERT_NE(FindLargeRoute(125), nullptr);
    EXPECT_EQ(FindLargeRoute(84)->handler, FindLargeRoute(125)->handler);
}

class LargeDispatcherTest : public GroupMessageTest {
protected:
    void SetUp() override { Init(KORVEN_SYSTEM_KORVENHOST); }
};

TEST_F(LargeDispatcherTest, IgnoredIdsLeaveNoTraceEvenWithAPayload) {
    Feed(LargeCallStatus(KORVEN_CALL_STATUS_HOLD));
    window_.clear();
    LogCapture log;
    for (const int id : {6,  8,  10, 11, 12, 16, 20,  21,  32,  36,  39,  40,  42,
                         49, 50, 66, 67, 71, 73, 102, 103, 104, 161, 163, 200, 255}) {
        Bytes frame = LargeNotice(System::KorvenHost, static_cast<uint8_t>(id));
        frame = WithTotalLength(frame, 212);
        frame[12] = 0x07;
        Feed(frame);
    }
    EXPECT_TRUE(Notified().empty());
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_EQ(KORVEN_GetLargeCallStatus(), KORVEN_CALL_STATUS_HOLD);
}

TEST_F(LargeDispatcherTest, NotificationOnlyMessagesNotifyWithTheirIdAndLogTheirName) {
    for (const TableRow& row : kNotificationOnly) {
        window_.clear();
        LogCapture log;
        Feed(LargeNotice(System::KorvenHost, static_cast<uint8_t>(row.id)));
        EXPECT_EQ(Notified(), std::vector<WPARAM>{static_cast<WPARAM>(row.id)});
        EXPECT_EQ(log.Messages(), std::vector<std::string>{std::string("++>[MESSAGE] : ") + row.handler});
    }
}

TEST_F(LargeDispatcherTest, WithoutAWindowOnlyTheInvalidWindowLineIsWritten) {
    Feed(LargeCallStatus(KORVEN_CALL_STATUS_RING));
    window_.clear();
    for (const TableRow& row : kNotificationOnly) {
        LogCapture log;
        FeedWithoutWindow(LargeNotice(System::KorvenHost, static_cast<uint8_t>(row.id)));
        EXPECT_EQ(log.Messages(), std::vector<std::string>{std::string(row.handler) + " : Invalid App Hwnd"});
    }
    LogCapture log;
    FeedWithoutWindow(LargeCallStatus(KORVEN_CALL_STATUS_BUSY));
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"ParseLargeCallStatus : Invalid App Hwnd"});
    EXPECT_TRUE(Notified().empty());
    EXPECT_EQ(KORVEN_GetLargeCallStatus(), KORVEN_CALL_STATUS_RING);
}

TEST_F(LargeDispatcherTest, PhoneDatabase5IdsKeepTheirOwnWparam) {
    Feed(LargeNotice(System::KorvenHost, LARGE_PHONE_DB5));
    Feed(LargeNotice(System::KorvenHost, 125));
    EXPECT_EQ(Notified(), (std::vector<WPARAM>{LARGE_PHONE_DB5, 125}));
}

TEST_F(LargeDispatcherTest, PostedNotificationArrivesWhenTheApplicationPumps) {
    theApp().windowMessageType = 1;
    Feed(LargeNotice(System::KorvenHost, LARGE_MISSED_CALL));
    theApp().windowMessageType = 0;
    EXPECT_TRUE(Notified().empty());
    TestWindow::Pump();
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_MISSED_CALL});
}

TEST_F(LargeDispatcherTest, GetterBeforeInitialisationFailsAfterItsBeginLine) {
    theApp().initialised = 0;
    LogCapture log;
    tagSTSOFTCALLNUMBER out;
    const int result = KORVEN_GetLargeCallNumber(&out);
    theApp().initialised = 1;
    EXPECT_EQ(result, -1);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"[FN-BEGIN]KORVEN_GetLargeCallNumber"});
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_NOT_INITIALISED);
}

}  // namespace
}  // namespace korven::test
