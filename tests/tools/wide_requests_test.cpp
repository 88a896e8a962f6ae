#include "pbxsim/wide_requests.h"

#include <gtest/gtest.h>

namespace korven::pbxsim {
namespace {

Bytes WideFrame(uint8_t messageClass, uint8_t id, Bytes payload) {
    Bytes frame = {0x7E, 0x80, 0xFF, 0xFF, 0x00,         static_cast<uint8_t>(12 + payload.size()),
                   0x06, 0x10, 0x10, 0x11, messageClass, id};
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

TEST(WideRequestsTest, FieldsFollowTheLayoutOfTheSystemTypeAndShowUnknownBeyondTheFrame) {
    Bytes digitStr(20, 0xFF);
    digitStr[0] = 0x20;
    digitStr[1] = 0x1F;
    digitStr[16] = 1;
    digitStr[18] = 0x02;
    digitStr[19] = 0xF3;
    EXPECT_EQ(DescribeWideRequest(WideFrame(0x27, 5, digitStr), System::Iap),
              "WIDE_DIGIT_STR Number=[201] HookType=1 TrunkType=0x02f3");
    digitStr.resize(17);
    EXPECT_EQ(DescribeWideRequest(WideFrame(0x29, 5, digitStr), System::KorvenHost),
              "WIDE_DIGIT_STR Number=[201] HookType=1 CallType=?");
    Bytes name = {'D', 'e', 's', 'k', 0x01, 0x00, 'x'};
    name.resize(32);
    EXPECT_EQ(DescribeWideRequest(WideFrame(0x27, 125, name), System::Iap), "WIDE_PHONE_DB5_IAP Name=[Desk\\x01]");
    EXPECT_EQ(DescribeWideRequest(WideFrame(0x29, 28, {0x00, 0x02}), System::KorvenHost),
              "WIDE_RECV_SUCCESS ReqID=2(LARGE_CALL_RESP)");
}

TEST(WideRequestsTest, FramesWithoutALayoutAreDescribedInHex) {
    EXPECT_FALSE(DecodeWideRequest(WideFrame(0x11, 5, {0x01}), System::KorvenHost));
    EXPECT_FALSE(DecodeWideRequest({0x7E, 0x80}, System::KorvenHost));
    EXPECT_EQ(DescribeWideRequest(WideFrame(0x29, 7, {0x01}), System::KorvenHost),
              "--7 " + ToHex(WideFrame(0x29, 7, {0x01})));
    EXPECT_EQ(DescribeWideRequest(WideFrame(0x29, 89, {0x00}), System::KorvenHost), "--89");
}

}  // namespace
}  // namespace korven::pbxsim
