#include "pbxsim/pbx_frames.h"

#include <gtest/gtest.h>

namespace korven::pbxsim {
namespace {

Bytes Slice(const Bytes& frame, size_t from, size_t count) {
    return Bytes(frame.begin() + static_cast<std::ptrdiff_t>(from),
                 frame.begin() + static_cast<std::ptrdiff_t>(from + count));
}

TEST(PbxFrames, KorvenhostVersionCheckLayout) {
    RegistrationAnswer answer;
    answer.result = 3;
    answer.digits = "12345";
    answer.realPort = 0x1771;
    answer.countryCode = 0x39FF;
    answer.signalType = 2;
    const Bytes frame = BuildVersCheck(System::KorvenHost, answer);
    EXPECT_EQ(Slice(frame, 0, 12), (Bytes{0x7E, 0x80, 0xFF, 0xFF, 0x00, 37, 0x06, 0x10, 0x10, 0x11, 0x11, 0x01}));
    EXPECT_EQ(frame[12], 3);
    EXPECT_EQ(Slice(frame, 22, 4), (Bytes{0x12, 0x34, 0x5F, 0xFF}));
    EXPECT_EQ(Slice(frame, 32, 5), (Bytes{0x17, 0x71, 0x39, 0xFF, 2}));
}

TEST(PbxFrames, IapVersionCheckCarriesTheRegistrationRecord) {
    RegistrationAnswer answer;
    answer.stationTag[0] = 0xAB;
    answer.stationTag[1] = 0xCD;
    answer.iapAddress = "127.0.0.2";
    answer.aliveLinkTime = 3000;
    answer.keepAliveByte = 9;
    answer.result = 1;
    const Bytes frame = BuildVersCheck(System::Iap, answer);
    ASSERT_EQ(frame.size(), 80u);
    EXPECT_EQ(Slice(frame, 6, 6), (Bytes{0x07, 0x8B, 0x10, 0x11, 0x11, 0x01}));
    // Country code low byte first, then alive-link time, keep-alive byte, signal type.
    EXPECT_EQ(Slice(frame, 34, 6), (Bytes{0xFF, 0x82, 0x0B, 0xB8, 9, 0}));
    EXPECT_EQ(frame[42], 1);
    EXPECT_EQ(Slice(frame, 44, 2), (Bytes{0xAB, 0xCD}));
    EXPECT_EQ(Slice(frame, 64, 16), (Bytes{'1', '2', '7', '.', '0', '.', '0', '.', '2', 0, 0, 0, 0, 0, 0, 0}));
}

TEST(PbxFrames, FieldsAreSetByNameFromText) {
    FrameBuilder builder(*FindMessage("LARGE_VERS_CHECK", System::KorvenHost), System::KorvenHost);
    EXPECT_TRUE(builder.SetFromText("CountryCode", "0x1FFF"));
    EXPECT_TRUE(builder.SetFromText("Digits", "9*#"));
    EXPECT_FALSE(builder.SetFromText("Result", "256"));
    EXPECT_FALSE(builder.SetFromText("Result", "1x"));
    EXPECT_FALSE(builder.SetFromText("NoSuchField", "1"));
    const Bytes frame = builder.Frame();
    EXPECT_EQ(Slice(frame, 34, 2), (Bytes{0x1F, 0xFF}));
    EXPECT_EQ(Slice(frame, 22, 2), (Bytes{0x9A, 0xBF}));
}

TEST(PbxFrames, MessageWithoutLayoutTakesRawPayload) {
    FrameBuilder builder(System::KorvenHost, kClassNormal, 15);
    builder.SetBytes(12, {1, 2, 3});
    EXPECT_EQ(builder.Frame(), (Bytes{0x7E, 0x80, 0xFF, 0xFF, 0x00, 15, 0x06, 0x10, 0x10, 0x11, 0x10, 15, 1, 2, 3}));
}

TEST(PbxFrames, CatalogueNamesGiveClassAndId) {
    uint8_t messageClass = 0, id = 0;
    ASSERT_TRUE(LookUpMessageId("WIDE_LINK_TEST", messageClass, id));
    EXPECT_EQ(messageClass, kClassWide);
    EXPECT_EQ(id, 54);
    ASSERT_TRUE(LookUpMessageId("NORMAL_DGP_DATE", messageClass, id));
    EXPECT_EQ(messageClass, kClassNormal);
    EXPECT_EQ(id, 15);
    EXPECT_FALSE(LookUpMessageId("LARGE_NOTHING", messageClass, id));
    EXPECT_EQ(MessageName(kClassWideShort, 39), "WIDE_INITIAL_END");
    EXPECT_EQ(MessageName(0x42, 1), "class 0x42 id 1");
}

TEST(PbxFrames, HexTextParsesWithOrWithoutSeparators) {
    Bytes bytes;
    EXPECT_TRUE(ParseHex("7e 80:FF,0a", bytes));
    EXPECT_EQ(bytes, (Bytes{0x7E, 0x80, 0xFF, 0x0A}));
    EXPECT_TRUE(ParseHex("7e80", bytes));
    EXPECT_EQ(ToHex(bytes), "7e 80");
    EXPECT_FALSE(ParseHex("7 e", bytes));
    EXPECT_FALSE(ParseHex("7g", bytes));
    EXPECT_FALSE(ParseHex("7e8", bytes));
}

}  // namespace
}  // namespace korven::pbxsim
