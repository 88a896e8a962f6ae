#include <cstring>
#include <string>
#include <vector>

#include "normal/normal_fixture.h"
#include "pbxsim/builders/normal_messages.h"
#include "support/log_capture.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class NormalGetters : public NormalTest {};

struct ValueGetter {
    int (*get)();
    const char* name;
    const char* label;
};

constexpr ValueGetter kValueGetters[] = {
    {KORVEN_GetNormalPhoneMute, "KORVEN_GetNormalPhoneMute", "Mute"},
    {KORVEN_GetNormalPageAll, "KORVEN_GetNormalPageAll", "PageAll"},
    {KORVEN_GetNormalPhoneTone, "KORVEN_GetNormalPhoneTone", "ToneID"},
    {KORVEN_GetNormalPhoneBTone, "KORVEN_GetNormalPhoneBTone", "BToneID"},
    {KORVEN_GetNormalPhoneRing, "KORVEN_GetNormalPhoneRing", "RingID"},
    {KORVEN_GetNormalPhoneBRing, "KORVEN_GetNormalPhoneBRing", "BRingID"},
    {KORVEN_GetNormalPhoneRingLED, "KORVEN_GetNormalPhoneRingLED", "RingLED"},
};

// The three record getters, each on a buffer of its record's size.
struct RecordGetter {
    const char* name;
    int (*get)(void* out);
    size_t size;
};

const RecordGetter kRecordGetters[] = {
    {"KORVEN_GetNormalSystemDate",
     [](void* out) { return KORVEN_GetNormalSystemDate(static_cast<tagSTSOFTSYSTEMDATE*>(out)); },
     sizeof(tagSTSOFTSYSTEMDATE)},
    {"KORVEN_GetNormalDuration",
     [](void* out) { return KORVEN_GetNormalDuration(static_cast<tagSTSOFTDURATION*>(out)); },
     sizeof(tagSTSOFTDURATION)},
    {"KORVEN_GetNormalAudioCodecDspValue",
     [](void* out) { return KORVEN_GetNormalAudioCodecDspValue(static_cast<tagSTSOFTDSPVALUE*>(out)); },
     sizeof(tagSTSOFTDSPVALUE)},
};

TEST_F(NormalGetters, ValueGettersReturnTheValueAndLogItInTheirEndLine) {
    Feed(NormalValueMessage(NormalValue::Ring, 3));
    for (const ValueGetter& getter : kValueGetters) {
        SCOPED_TRACE(getter.name);
        KORVEN_GetNormalSystemDate(nullptr);
        LogCapture log;
        const int value = getter.get();
        const std::vector<std::string> messages = log.Messages();
        EXPECT_GE(value, 0);
        EXPECT_EQ(KORVEN_GetErrorCode(), 0);
        EXPECT_EQ(messages,
                  (std::vector<std::string>{
                      std::string("[FN-BEGIN]") + getter.name,
                      std::string("[FN-END]") + getter.name + " : " + getter.label + "[" + std::to_string(value) + "]",
                  }));
    }
    EXPECT_EQ(KORVEN_GetNormalPhoneRing(), 3);
}

TEST_F(NormalGetters, RecordGettersCopyTheRecordAndRefuseANullPointer) {
    for (const RecordGetter& getter : kRecordGetters) {
        SCOPED_TRACE(getter.name);
        LogCapture log;
        uint8_t out[8];
        EXPECT_EQ(0, getter.get(out));
        EXPECT_EQ(log.Messages(), (std::vector<std::string>{std::string("[FN-BEGIN]") + getter.name,
                                                            std::string("[FN-END]") + getter.name}));
        EXPECT_EQ(-1, getter.get(nullptr));
        EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_INVALID_ARGUMENT);
    }
}

TEST_F(NormalGetters, BeforeInitEveryGetterFailsAfterOnlyItsBeginLineLeavingTheOutputAlone) {
    const BeforeInit beforeInit;
    for (const ValueGetter& getter : kValueGetters) {
        SCOPED_TRACE(getter.name);
        LogCapture log;
        EXPECT_EQ(-1, getter.get());
        EXPECT_EQ(log.Messages(), std::vector<std::string>{std::string("[FN-BEGIN]") + getter.name});
        EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_INITIALISED);
    }
    for (const RecordGetter& getter : kRecordGetters) {
        SCOPED_TRACE(getter.name);
        uint8_t out[8];
        std::memset(out, 0xEE, sizeof out);
        EXPECT_EQ(-1, getter.get(out));
        EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_INITIALISED);
        EXPECT_EQ(std::vector<uint8_t>(out, out + getter.size), std::vector<uint8_t>(getter.size, 0xEE));
    }
}

TEST_F(NormalGetters, AGetterInTheWindowProcedureReadsTheFrameThatRaisedTheNotification) {
    std::vector<int> seen;
    window_.onNotification([&seen](const Notification&) { seen.push_back(KORVEN_GetNormalPhoneTone()); });
    Feed(NormalValueMessage(NormalValue::Tone, 11));
    Feed(NormalValueMessage(NormalValue::Tone, 12));
    EXPECT_EQ(seen, (std::vector<int>{11, 12}));
}

}  // namespace
}  // namespace korven::test
