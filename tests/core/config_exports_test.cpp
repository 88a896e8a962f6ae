#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "support/log_capture.h"
#include "support/test_window.h"

namespace {

using korven::test::LogCapture;
using korven::test::TestWindow;

class ConfigExports : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(0, KORVEN_Init(window_.handle(), 0, 1)); }
    TestWindow window_;
};

class BeforeInit : public ::testing::Test {
protected:
    void SetUp() override { saved_ = theApp().initialised.exchange(0); }
    void TearDown() override { theApp().initialised = saved_; }
    int saved_ = 0;
};

TEST_F(BeforeInit, OnlyErrorCodeSystemTypeAndIpv6WorkBeforeInit) {
    char buffer[64];
    EXPECT_EQ(-1, KORVEN_SetRecPort(1));
    EXPECT_EQ(11002, KORVEN_GetErrorCode());
    EXPECT_EQ(0xFFFFFFFFu, KORVEN_GetRecPort());
    EXPECT_EQ(0xFFFFFFFFu, KORVEN_GetListenPort());
    EXPECT_EQ(0xFFFFFFFFu, KORVEN_GetAliveLinkTime());
    EXPECT_EQ(-1, KORVEN_GetSendIP(buffer, sizeof buffer));
    EXPECT_EQ(-1, KORVEN_SetUserID(const_cast<char*>("1001")));
    EXPECT_EQ(-1, KORVEN_GetWindowMessageType());
    EXPECT_EQ(-1, KORVEN_SetLogLevel(1));
    EXPECT_EQ(-1, KORVEN_GetVersion(buffer, sizeof buffer));
    EXPECT_EQ(11002, KORVEN_GetErrorCode());

    EXPECT_GE(KORVEN_GetSystemType(), 0);
    EXPECT_EQ(0, KORVEN_GetErrorCode());
    EXPECT_EQ(-1, KORVEN_EnableIPv6(1));
    EXPECT_EQ(11003, KORVEN_GetErrorCode());
    EXPECT_EQ(0, KORVEN_EnableIPv6());
    EXPECT_EQ(11003, KORVEN_GetErrorCode());
}

TEST_F(BeforeInit, FailedCallWritesOnlyItsBeginLine) {
    LogCapture log;
    KORVEN_SetNetworkMode(1);
    EXPECT_EQ(std::vector<std::string>{"[FN-BEGIN]KORVEN_SetNetworkMode : Mode[1]"}, log.Messages());
}

TEST(InitExport, RefusesNullWindowAndUnknownSystemTypeKeepingState) {
    TestWindow window;
    ASSERT_EQ(0, KORVEN_Init(window.handle(), 0, 0));
    EXPECT_EQ(-1, KORVEN_Init(window.handle(), 2, 0));
    EXPECT_EQ(11000, KORVEN_GetErrorCode());
    EXPECT_EQ(1, theApp().initialised.load());
    EXPECT_EQ(-1, KORVEN_Init(nullptr, 0, 0));
    EXPECT_EQ(11000, KORVEN_GetErrorCode());
}

TEST(InitExport, LogsBannerAndArgumentNames) {
    TestWindow window;
    LogCapture log;
    ASSERT_EQ(0, KORVEN_Init(window.handle(), 1, 1));
    const auto lines = log.Messages();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ("======================      KORVEN_Init  ======================", lines[0]);
    EXPECT_NE(std::string::npos, lines[1].find("SystemType[1:IAP], ListenMode[1:PHONEIF_CALLBACK]"));
    EXPECT_EQ("[FN-END]KORVEN_Init", lines.back());
    EXPECT_EQ(1, KORVEN_GetSystemType());
    ASSERT_EQ(0, KORVEN_Init(window.handle(), 0, 0));
}

TEST_F(ConfigExports, PortsAndModesRoundTripWithTheirChecks) {
    EXPECT_EQ(0, KORVEN_SetRecPort(7001));
    EXPECT_EQ(7001u, KORVEN_GetRecPort());
    EXPECT_EQ(0, KORVEN_SetListenPort(7002));
    EXPECT_EQ(7002u, KORVEN_GetListenPort());

    EXPECT_EQ(-1, KORVEN_SetAliveLinkTime(1000));
    EXPECT_EQ(11000, KORVEN_GetErrorCode());
    EXPECT_EQ(0, KORVEN_SetAliveLinkTime(1001));
    EXPECT_EQ(1001u, KORVEN_GetAliveLinkTime());

    EXPECT_EQ(-1, KORVEN_SetNetworkMode(3));
    EXPECT_EQ(11000, KORVEN_GetErrorCode());
    EXPECT_EQ(0, KORVEN_SetNetworkMode(2));
    EXPECT_EQ(2, KORVEN_GetNetworkMode());

    EXPECT_EQ(-1, KORVEN_SetWindowMessageType(2));
    EXPECT_EQ(11000, KORVEN_GetErrorCode());
    EXPECT_EQ(0, KORVEN_SetWindowMessageType(1));
    EXPECT_EQ(1, KORVEN_GetWindowMessageType());
    EXPECT_EQ(0, KORVEN_SetWindowMessageType(0));
}

TEST_F(ConfigExports, SettersThatLeaveTheErrorCodeKeepAnEarlierFailure) {
    char ip[] = "192.168.0.10";
    char id[] = "1001";
    const auto failThenExpectKept = [](auto call) {
        KORVEN_SetAliveLinkTime(5);
        call();
        EXPECT_EQ(11000, KORVEN_GetErrorCode());
    };
    failThenExpectKept([&] { EXPECT_EQ(0, KORVEN_SetSendIP(ip)); });
    failThenExpectKept([&] { EXPECT_EQ(0, KORVEN_SetLocalIP(ip)); });
    failThenExpectKept([&] { EXPECT_EQ(0, KORVEN_SetUserID(id)); });
    failThenExpectKept([&] { EXPECT_EQ(0, KORVEN_SetUserPassword(id)); });
    failThenExpectKept([&] { EXPECT_EQ(0, KORVEN_SetListenPort(6000)); });
    failThenExpectKept([&] { EXPECT_EQ(6000u, KORVEN_GetListenPort()); });
    failThenExpectKept([&] { KORVEN_GetRecPort(); });

    KORVEN_SetAliveLinkTime(5);
    char password[8];
    EXPECT_EQ(0, KORVEN_GetUserPassword(password, sizeof password));
    EXPECT_EQ(0, KORVEN_GetErrorCode());
}

TEST_F(ConfigExports, SendIpNeedsSevenCharactersAndIsCutToItsField) {
    char shortIp[] = "1.2.3.";
    EXPECT_EQ(-1, KORVEN_SetSendIP(shortIp));
    EXPECT_EQ(11000, KORVEN_GetErrorCode());
    EXPECT_EQ(-1, KORVEN_SetSendIP(nullptr));

    std::string longIp(40, '9');
    ASSERT_EQ(0, KORVEN_SetSendIP(longIp.data()));
    char buffer[40];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(0, KORVEN_GetSendIP(buffer, sizeof buffer));
    EXPECT_EQ(std::string(29, '9'), std::string(buffer));
    EXPECT_EQ('x', buffer[30]) << "never more than the 30-byte field is copied";

    EXPECT_EQ(-1, KORVEN_GetSendIP(buffer, 6));
    EXPECT_EQ(11001, KORVEN_GetErrorCode());
    EXPECT_EQ(-1, KORVEN_GetLocalIP(buffer, 6));
    EXPECT_EQ(11001, KORVEN_GetErrorCode());
    EXPECT_EQ(-1, KORVEN_GetSendIP(nullptr, 30));
    EXPECT_EQ(11000, KORVEN_GetErrorCode());
}

TEST_F(ConfigExports, UserIdIsTrimmedZeroPaddedAndCutToEight) {
    char padded[] = "  1001  ";
    ASSERT_EQ(0, KORVEN_SetUserID(padded));
    char id[9] = {};
    std::memset(id, 'x', 8);
    ASSERT_EQ(0, KORVEN_GetUserID(id, 8));
    EXPECT_EQ(0, std::memcmp(id, "1001\0\0\0\0", 8));

    char longId[] = "123456789012";
    ASSERT_EQ(0, KORVEN_SetUserID(longId));
    char out[16] = {};
    ASSERT_EQ(0, KORVEN_GetUserID(out, sizeof out));
    EXPECT_EQ("12345678", std::string(out));
    EXPECT_EQ(-1, KORVEN_SetUserID(nullptr));
    EXPECT_EQ(11000, KORVEN_GetErrorCode());
}

TEST_F(ConfigExports, PasswordKeepsEightBytesAndIsNeverLogged) {
    LogCapture log;
    char secret[] = "abcdefghij";
    ASSERT_EQ(0, KORVEN_SetUserPassword(secret));
    char out[8];
    ASSERT_EQ(0, KORVEN_GetUserPassword(out, sizeof out));
    EXPECT_EQ(0, std::memcmp(out, "abcdefgh", 8));
    for (const std::string& line : log.Messages()) EXPECT_EQ(std::string::npos, line.find("abc")) << line;
    EXPECT_TRUE(log.Contains("[FN-END]KORVEN_GetUserPassword : Password[****]"));

    char defaultPassword[] = "5803";
    ASSERT_EQ(0, KORVEN_SetUserPassword(defaultPassword));
}

TEST_F(ConfigExports, LogLinesOfAGetterCarryTheValue) {
    LogCapture log;
    KORVEN_SetRecPort(6000);
    KORVEN_GetRecPort();
    KORVEN_GetErrorCode();
    const std::vector<std::string> expected = {"[FN-BEGIN]KORVEN_SetRecPort : Port[6000]",
                                               "[FN-END]KORVEN_SetRecPort",
                                               "[FN-BEGIN]KORVEN_GetRecPort",
                                               "[FN-END]KORVEN_GetRecPort : RecPort[6000]",
                                               "[FN-BEGIN]KORVEN_GetErrorCode",
                                               "[FN-END]KORVEN_GetErrorCode: Code[0]"};
    EXPECT_EQ(expected, log.Messages());
}

TEST_F(ConfigExports, VersionNeedsAHundredBytes) {
    char version[100];
    EXPECT_EQ(-1, KORVEN_GetVersion(version, 99));
    EXPECT_EQ(11001, KORVEN_GetErrorCode());
    ASSERT_EQ(0, KORVEN_GetVersion(version, 100));
    EXPECT_STREQ("1.0.2.3 (22 Mar.'10)", version);
}

}  // namespace
