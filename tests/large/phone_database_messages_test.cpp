#include <cstring>
#include <string>

#include "large/group_message_fixture.h"
#include "large/phone_database_layouts.h"
#include "pbxsim/builders/large_phone_database.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class PhoneDatabaseMessagesTest : public GroupMessageTest {
protected:
    // The layout through the getter, in a buffer of the documented 246 bytes
    // of which only `written` may change.
    static Bytes Layout(size_t written) {
        return FetchBytes([](char* out) { return KORVEN_GetLargePhoneDB0(out); }, written);
    }

    static std::string Text(const Bytes& layout, size_t pos, size_t width) {
        return std::string(layout.begin() + pos, layout.begin() + pos + width);
    }

    static uint16_t HostU16(const Bytes& layout, size_t pos) {
        uint16_t value;
        std::memcpy(&value, layout.data() + pos, sizeof value);
        return value;
    }

    // Frame bytes 12 onwards as KORVEN_WidePhoneDB0 would send the layout.
    static Bytes Reencoded(const Bytes& layout, bool iap) {
        const size_t length = iap ? 156 : 212;
        Bytes frame(length, 0xEE);
        FrameWriter writer(frame.data(), frame.size());
        WritePhoneDb0Payload(theApp(), iap, layout.data(), writer);
        return Bytes(frame.begin() + 12, frame.end());
    }
};

TEST_F(PhoneDatabaseMessagesTest, KorvenhostLayoutDecodesEveryKindOfField) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    KorvenhostPhoneDb0Fields fields;
    fields.station = "7012";
    fields.b188 = 13;
    fields.b189 = 2;
    fields.rtpPort = 0x1388;
    fields.videoPort = 0x138A;
    fields.numbers[2] = "1234567890123456789012";
    const Bytes frame = LargePhoneDb0(fields);
    LogCapture log;
    Feed(frame);

    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_PHONE_DB0});
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{
                  "++>[MESSAGE] : ParseLargePhoneDB.. ipp_rtp_port(0x8813->0x1388), ipp_video_port(0x8A13->0x138A)",
                  "++>[MESSAGE] : ParseLargePhoneDB"}));
    const Bytes layout = Layout(KORVEN_PHONE_DB0_KORVENHOST_SIZE);
    EXPECT_EQ(Text(layout, 0, 4), "7012");
    EXPECT_EQ(Text(layout, 4, 5), std::string(frame.begin() + 16, frame.begin() + 21));
    EXPECT_EQ(Text(layout, 9, 8), "20001234");
    EXPECT_EQ(Text(layout, 33, 22), Digits("0312345678", 22));
    EXPECT_EQ(Text(layout, 77, 22), "1234567890123456789012");
    EXPECT_EQ(Text(layout, 99, 22), Digits("119", 22));
    EXPECT_EQ(Text(layout, 143, 8), Digits("100", 8));
    EXPECT_EQ(Text(layout, 167, 8), Digits("9", 8));
    EXPECT_EQ(Text(layout, 175, 44), std::string(frame.begin() + 120, frame.begin() + 164));
    EXPECT_EQ(layout[221], frame[168]);
    EXPECT_EQ(Text(layout, 226, 10), std::string(frame.begin() + 174, frame.begin() + 184));
    EXPECT_EQ(layout[236], 3);
    EXPECT_EQ(layout[237], 1);
    EXPECT_EQ(Text(layout, 238, 2), std::string(frame.begin() + 190, frame.begin() + 192));
    EXPECT_EQ(HostU16(layout, 240), 5000);
    EXPECT_EQ(HostU16(layout, 242), 5002);
    EXPECT_EQ(Text(layout, 244, 2), std::string(2, '\0'));
}

TEST_F(PhoneDatabaseMessagesTest, IapLayoutFillsOnly105Bytes) {
    Init(KORVEN_SYSTEM_IAP);
    IapPhoneDb0Fields fields;
    fields.numbers[0] = "1234567890123456789012";
    fields.b87 = 15;
    fields.b88 = 12;
    const Bytes frame = LargePhoneDb0(fields);
    LogCapture log;
    Feed(frame);

    EXPECT_EQ(log.Messages(), std::vector<std::string>{"++>[MESSAGE] : ParseLargePhoneDB"});
    const Bytes layout = Layout(KORVEN_PHONE_DB0_IAP_SIZE);
    EXPECT_EQ(Text(layout, 0, 4), "5678");
    EXPECT_EQ(layout[4], frame[19]);
    EXPECT_EQ(layout[6], frame[27]);
    EXPECT_EQ(Text(layout, 7, 8), "20001234");
    EXPECT_EQ(Text(layout, 16, 10), std::string(frame.begin() + 36, frame.begin() + 46));
    EXPECT_EQ(Text(layout, 30, 22), "1234567890123456789012");
    EXPECT_EQ(layout[52], frame[62]);
    EXPECT_EQ(Text(layout, 53, 22), Digits("0215550100", 22));
    EXPECT_EQ(Text(layout, 76, 22), std::string(22, '\0'));
    EXPECT_EQ(layout[99], 5);
    EXPECT_EQ(layout[100], 2);
    EXPECT_EQ(Text(layout, 101, 3), std::string(frame.begin() + 89, frame.begin() + 92));
    EXPECT_EQ(layout[104], 0);
}

TEST_F(PhoneDatabaseMessagesTest, EachSystemTypeKeepsItsOwnLayout) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    KorvenhostPhoneDb0Fields korvenhost;
    korvenhost.station = "4321";
    Feed(LargePhoneDb0(korvenhost));
    Init(KORVEN_SYSTEM_IAP);
    Feed(LargePhoneDb0(IapPhoneDb0Fields{}));
    Init(KORVEN_SYSTEM_KORVENHOST);
    EXPECT_EQ(Text(Layout(KORVEN_PHONE_DB0_KORVENHOST_SIZE), 0, 4), "4321");
}

TEST_F(PhoneDatabaseMessagesTest, KorvenhostLayoutGoesBackAsReceivedSaveItsNormalisedBytes) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    KorvenhostPhoneDb0Fields fields;
    fields.b188 = 12;
    fields.b189 = 2;
    const Bytes frame = LargePhoneDb0(fields);
    Feed(frame);
    Bytes layout = Layout(KORVEN_PHONE_DB0_KORVENHOST_SIZE);
    layout[240] ^= 0xFF;  // ports are the PBX's: changes never travel

    Bytes expected(frame.begin() + 12, frame.end());
    expected[188 - 12] = 2;
    expected[189 - 12] = 1;
    EXPECT_EQ(Reencoded(layout, false), expected);
    layout[0] = '9';
    layout[33] = '\0';
    const Bytes changed = Reencoded(layout, false);
    EXPECT_EQ(changed[0], 9);
    EXPECT_EQ(Bytes(changed.begin() + 49 - 12, changed.begin() + 60 - 12), Bytes(11, 0xFF));
}

TEST_F(PhoneDatabaseMessagesTest, IapLayoutGoesBackAsReceivedSaveItsNormalisedBytes) {
    Init(KORVEN_SYSTEM_IAP);
    IapPhoneDb0Fields fields;
    fields.b87 = 13;
    const Bytes frame = LargePhoneDb0(fields);
    Feed(frame);
    Bytes expected(frame.begin() + 12, frame.end());
    expected[87 - 12] = 3;
    EXPECT_EQ(Reencoded(Layout(KORVEN_PHONE_DB0_IAP_SIZE), true), expected);
}

}  // namespace
}  // namespace korven::test
