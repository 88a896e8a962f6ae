#include <cstring>

#include "pbxsim/builders/large_phone_database.h"
#include "requests/wide_request_fixture.h"

namespace korven::test {
namespace {

using pbxsim::System;

class PhoneDatabaseRequestsTest : public WideRequestTest {
protected:
    static Frame Layout() {
        Frame layout(KORVEN_PHONE_DB0_BUFFER_SIZE, 0);
        EXPECT_EQ(KORVEN_GetLargePhoneDB0(layout.data()), 0);
        return layout;
    }
    static Frame Payload(const Frame& frame) { return Frame(frame.begin() + 12, frame.end()); }
};

TEST_F(PhoneDatabaseRequestsTest, KorvenhostLayoutSentBackUnchangedReturnsThePbxPayloadSaveNormalisedAndRepackedBytes) {
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    pbxsim::KorvenhostPhoneDb0Fields fields;
    fields.b188 = 13;
    fields.b189 = 2;
    Frame received = pbxsim::LargePhoneDb0(fields);
    // A number whose digits end early, with a byte after the end.
    received[71] = 0x12;
    received[72] = 0xFF;
    received[73] = 0x34;
    Feed(received);
    Frame layout = Layout();
    ASSERT_EQ(KORVEN_WidePhoneDB0(layout.data()), 0);

    Frame expected = Payload(received);
    expected[73 - 12] = 0xFF;
    expected[188 - 12] = 3;
    expected[189 - 12] = 1;
    EXPECT_EQ(OnlySent(), Expected(Form::A, 6, expected));
}

TEST_F(PhoneDatabaseRequestsTest, IapLayoutSentBackReturnsThePbxPayloadSaveNormalisedAndChangedBytes) {
    ASSERT_NO_FATAL_FAILURE(Init(System::Iap));
    pbxsim::IapPhoneDb0Fields fields;
    fields.b87 = 15;
    fields.b88 = 12;
    const Frame received = pbxsim::LargePhoneDb0(fields);
    Feed(received);
    Frame layout = Layout();
    ASSERT_EQ(KORVEN_WidePhoneDB0(layout.data()), 0);
    layout[0] = '7';
    ASSERT_EQ(KORVEN_WidePhoneDB0(layout.data()), 0);

    Frame expected = Payload(received);
    expected[87 - 12] = 5;
    expected[88 - 12] = 2;
    Frame changed = expected;
    changed[20 - 12] = 0x07;
    EXPECT_EQ(SendRecorder::Frames(),
              (std::vector<Frame>{Expected(Form::B, 6, expected), Expected(Form::B, 6, changed)}));
}

TEST_F(PhoneDatabaseRequestsTest, ChangedKorvenhostFieldsAreEncodedBackButThePortsAreNot) {
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    const Frame received = pbxsim::LargePhoneDb0(pbxsim::KorvenhostPhoneDb0Fields{});
    Feed(received);
    Frame layout = Layout();
    layout[0] = '7';
    std::memcpy(layout.data() + 33, "1234567890123456789012", 22);  // no terminator
    std::memset(layout.data() + 55, 0, 22);
    std::memcpy(layout.data() + 55, "12a3", 4);
    std::memcpy(layout.data() + 143, "123456789", 8);
    std::memset(layout.data() + 240, 0x55, 4);
    ASSERT_EQ(KORVEN_WidePhoneDB0(layout.data()), 0);

    const Frame sent = OnlySent();
    ASSERT_EQ(sent.size(), 212u);
    EXPECT_EQ(sent[12], 0x07);
    const Frame digits = {0x12, 0x34, 0x56, 0x78, 0x90};
    EXPECT_EQ(Frame(sent.begin() + 49, sent.begin() + 71), Concat({digits, digits, {0x12, 0x12}, Repeat(10, 0xFF)}));
    EXPECT_EQ(Frame(sent.begin() + 104, sent.begin() + 108), (Frame{0x12, 0x34, 0x56, 0x78}));
    EXPECT_EQ(Frame(sent.begin() + 196, sent.end()), Frame(received.begin() + 196, received.end()));
}

TEST_F(PhoneDatabaseRequestsTest, Database5NameExistsOnIapOnlyAndTravelsWithZeroFill) {
    tagSTSOFTPHONEDB5 db5{};
    std::memcpy(db5.Name, "Reception desk, second floor 12", 32);
    std::memcpy(db5.MMSAddr, "10.0.0.1", 8);
    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    ExpectRefused([&] { return KORVEN_WidePhoneDB5(&db5); }, KORVEN_ERR_NOT_FOR_KORVENHOST);
    ExpectRefused([] { return KORVEN_WidePhoneDB0(nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);

    ASSERT_NO_FATAL_FAILURE(Init(System::Iap));
    ExpectRefused([] { return KORVEN_WidePhoneDB5(nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);
    LogCapture log;
    ASSERT_EQ(KORVEN_WidePhoneDB5(&db5), 0);
    EXPECT_EQ(OnlySent(), Expected(Form::B, 125, Concat({Frame(db5.Name, db5.Name + 32), Repeat(76, 0x00)})));
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{"[FN-BEGIN]KORVEN_WidePhoneDB5_IAP", "[FN-END]KORVEN_WidePhoneDB5_IAP"}));
}

TEST_F(PhoneDatabaseRequestsTest, AbsenceMessagesExistOnKorvenhostOnlyAndAreLoggedWithinSixteenBytes) {
    char messages[KORVEN_ABSENCE_MESSAGES_SIZE] = {};
    std::memcpy(messages, "On holiday", 10);
    std::memcpy(messages + 4 * 16, "Back tomorrow at nine", 16);
    ASSERT_NO_FATAL_FAILURE(Init(System::Iap));
    ExpectRefused([&] { return KORVEN_WideAbsentProgramMsg(messages); }, KORVEN_ERR_NOT_FOR_IAP);

    ASSERT_NO_FATAL_FAILURE(Init(System::KorvenHost));
    ExpectRefused([] { return KORVEN_WideAbsentProgramMsg(nullptr); }, KORVEN_ERR_INVALID_ARGUMENT);
    LogCapture log;
    ASSERT_EQ(KORVEN_WideAbsentProgramMsg(messages), 0);
    EXPECT_EQ(OnlySent(), Expected(Form::A, 10, Frame(messages, messages + sizeof messages)));
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{
                  "[FN-BEGIN]KORVEN_WideAbsentProgramMsg", "SendWideProgMsg:Index[i]... [On holiday]",
                  "SendWideProgMsg:Index[i]... []", "SendWideProgMsg:Index[i]... []", "SendWideProgMsg:Index[i]... []",
                  "SendWideProgMsg:Index[i]... [Back tomorrow at]", "[FN-END]KORVEN_WideAbsentProgramMsg"}));
}

}  // namespace
}  // namespace korven::test
