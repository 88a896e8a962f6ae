#include <atomic>
#include <thread>

#include "large/group_message_fixture.h"
#include "pbxsim/builders/large_media.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class MediaMessagesTest : public GroupMessageTest {
protected:
    static tagSTSOFTVIDEOCONTROL Video(const VideoControlFields& fields) {
        Feed(LargeVideoControl(fields));
        return Fetch<tagSTSOFTVIDEOCONTROL>(KORVEN_GetLargeVideoControl);
    }
};

TEST_F(MediaMessagesTest, AudioFieldsComeFromTheirOffsets) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    AudioControlFields fields;
    fields.codes = {1, 2, 3, 4, 5};
    fields.number = "1234567890123456";
    fields.data30[1].fill(0x30);
    fields.data48[0].fill(0x48);
    fields.data48[1][47] = 0x99;
    Feed(LargeAudioControl(fields));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_AUDIO_CTRL});

    const auto audio = Fetch<tagSTSOFTAUDIOCONTROL>(KORVEN_GetLargeAudioControl);
    EXPECT_EQ(audio.firstCode, 1);
    EXPECT_EQ(audio.secondCode, 2);
    EXPECT_EQ(Field(audio.address), Digits("192.168.0.20", 18));
    EXPECT_EQ(audio.port, 20000);
    EXPECT_EQ(Field(audio.number), "1234567890123456");
    EXPECT_EQ(audio.thirdCode, 3);
    EXPECT_EQ(audio.firstData30[0], 0);
    EXPECT_EQ(audio.secondData30[29], 0x30);
    EXPECT_EQ(audio.fourthCode, 4);
    EXPECT_EQ(audio.fifthCode, 5);
    EXPECT_EQ(audio.firstData48[47], 0x48);
    EXPECT_EQ(audio.secondData48[47], 0x99);
}

TEST_F(MediaMessagesTest, ShortAudioFrameLeavesUnreceivedFieldsZero) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    AudioControlFields fields;
    fields.codes = {1, 2, 3, 4, 5};
    fields.data48[1].fill(0x77);
    Feed(LargeAudioControl(fields));
    auto frame = LargeAudioControl(fields);
    frame.resize(30);
    Feed(frame);
    const auto audio = Fetch<tagSTSOFTAUDIOCONTROL>(KORVEN_GetLargeAudioControl);
    EXPECT_EQ(audio.port, 20000);
    EXPECT_EQ(audio.thirdCode, 0);
    EXPECT_EQ(audio.secondData48[47], 0);
}

TEST_F(MediaMessagesTest, VideoCodesAreNormalised) {
    struct Case {
        int system;
        uint8_t sent;
        uint8_t stored;
    };
    for (const Case& c :
         {Case{KORVEN_SYSTEM_KORVENHOST, 12, 2}, Case{KORVEN_SYSTEM_KORVENHOST, 14, 1}, Case{KORVEN_SYSTEM_IAP, 14, 4},
          Case{KORVEN_SYSTEM_KORVENHOST, 0, 1}, Case{KORVEN_SYSTEM_IAP, 5, 5}, Case{KORVEN_SYSTEM_IAP, 16, 1}}) {
        Init(c.system);
        VideoControlFields fields;
        fields.system = c.system == KORVEN_SYSTEM_IAP ? System::Iap : System::KorvenHost;
        fields.secondCode = c.sent;
        EXPECT_EQ(Video(fields).secondCode, c.stored) << "system " << c.system << ", b13 " << int{c.sent};
    }
    Init(KORVEN_SYSTEM_KORVENHOST);
    for (const auto& [sent, stored] : {std::pair<uint8_t, uint8_t>{11, 1}, {12, 2}, {10, 1}, {13, 1}, {0, 1}}) {
        VideoControlFields fields;
        fields.thirdCode = sent;
        EXPECT_EQ(Video(fields).thirdCode, stored) << "b20 " << int{sent};
    }
}

TEST_F(MediaMessagesTest, SecondVideoValueFollowsTheSystemType) {
    for (int system : {KORVEN_SYSTEM_KORVENHOST, KORVEN_SYSTEM_IAP}) {
        Init(system);
        auto frame = LargeVideoControl({});
        frame.resize(30);
        frame[26] = 0x01;
        frame[27] = 0x02;
        frame[28] = 0x03;
        frame[29] = 0x04;
        Feed(frame);
        const auto video = Fetch<tagSTSOFTVIDEOCONTROL>(KORVEN_GetLargeVideoControl);
        EXPECT_EQ(video.secondValue, system == KORVEN_SYSTEM_IAP ? 0x0304 : 0x0102);
        EXPECT_EQ(Field(video.address), Digits("192.168.0.20", 17));
        EXPECT_EQ(video.port, 20002);
    }
}

TEST_F(MediaMessagesTest, IapLongFormStartsAtTotalLength214) {
    Init(KORVEN_SYSTEM_IAP);
    VideoControlFields fields;
    fields.system = System::Iap;
    fields.longForm = true;
    fields.algorithms = {8, 9};
    fields.payloads = {{{0x01, 0x00, 0x00, 0x00}, {0x02, 0x00, 0x00, 0x00}}};
    fields.data30[0].fill(0x30);
    fields.data48[1].fill(0x48);
    const auto longForm = LargeVideoControl(fields);

    LogCapture log;
    Feed(WithTotalLength(longForm, 213));
    auto video = Fetch<tagSTSOFTVIDEOCONTROL>(KORVEN_GetLargeVideoControl);
    EXPECT_EQ(video.localAlgorithm, 0xFF);
    EXPECT_EQ(video.remoteAlgorithm, 0xFF);
    EXPECT_EQ(video.localPayload, 0);
    EXPECT_EQ(video.firstData30[0], 0);
    EXPECT_TRUE(
        log.Contains("++>[MESSAGE] : ParseLargeVideoCtrl.. IAP nLen(213), algm(L:255/R:255), payload(L:0/R:0)"));

    Feed(WithTotalLength(longForm, 214));
    video = Fetch<tagSTSOFTVIDEOCONTROL>(KORVEN_GetLargeVideoControl);
    EXPECT_EQ(video.localAlgorithm, 8);
    EXPECT_EQ(video.remoteAlgorithm, 9);
    EXPECT_EQ(std::memcmp(&video.localPayload, fields.payloads[0].data(), 4), 0);
    EXPECT_EQ(std::memcmp(&video.remotePayload, fields.payloads[1].data(), 4), 0);
    EXPECT_EQ(video.firstData30[29], 0x30);
    EXPECT_EQ(video.secondData48[45], 0x48);
    EXPECT_EQ(video.secondData48[47], 0) << "b214-b215 lie beyond the 214 bytes received";
    EXPECT_EQ(log.Messages().back(), "[FN-END]KORVEN_GetLargeVideoControl");
}

// Every frame carries one value in all its bytes; a reader must never see
// two values in one record.
TEST_F(MediaMessagesTest, GettersNeverSeeAHalfDecodedRecord) {
    Init(KORVEN_SYSTEM_KORVENHOST);
    const int level = KORVEN_GetLogLevel();
    KORVEN_SetLogLevel(0);
    auto frameOf = [](uint8_t value) {
        AudioControlFields fields;
        fields.codes.fill(value);
        for (auto& block : fields.data30) block.fill(value);
        for (auto& block : fields.data48) block.fill(value);
        return LargeAudioControl(fields);
    };
    const std::vector<uint8_t> frames[] = {frameOf(0x11), frameOf(0x22)};
    Feed(frames[0]);
    std::atomic<bool> done{false};
    std::thread reader([&done] {
        while (!done) {
            tagSTSOFTAUDIOCONTROL audio;
            ASSERT_EQ(KORVEN_GetLargeAudioControl(&audio), 0);
            ASSERT_EQ(audio.firstCode, audio.secondData48[47]);
            ASSERT_EQ(audio.fifthCode, audio.firstData30[0]);
        }
    });
    for (int i = 0; i < 2000; ++i) Feed(frames[i % 2]);
    done = true;
    reader.join();
    KORVEN_SetLogLevel(level);
}

}  // namespace
}  // namespace korven::test
