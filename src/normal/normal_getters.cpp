// The KORVEN_GetNormal… getters of the phone indications.
#include "KorvenSignalLib.h"
#include "normal/normal_handler_steps.h"

namespace {

using korven::RunNormalGetter;

// Returns the value; the end line is "[FN-END]<name> : <label>[<value>]".
int GetValue(const char* name, const char* label, int32_t NormalRecords::*field) {
    return RunNormalGetter(
        name, korven::NoRefusal, [field](const NormalRecords& normal) { return normal.*field; },
        [name, label](int value) { WriteLog("[FN-END]%s : %s[%d]", name, label, value); });
}

// Copies the record out; a null pointer is refused with 11000 instead of
// being written through.
template <class Record>
int GetRecord(const char* name, Record* out, Record NormalRecords::*field) {
    return RunNormalGetter(
        name, [out] { return out == nullptr ? KORVEN_ERR_INVALID_ARGUMENT : 0; },
        [out, field](const NormalRecords& normal) {
            *out = normal.*field;
            return 0;
        },
        [name](int) { WriteLog("[FN-END]%s", name); });
}

}  // namespace

int KORVEN_GetNormalSystemDate(tagSTSOFTSYSTEMDATE* out) {
    return GetRecord("KORVEN_GetNormalSystemDate", out, &NormalRecords::systemDate);
}

int KORVEN_GetNormalDuration(tagSTSOFTDURATION* out) {
    return GetRecord("KORVEN_GetNormalDuration", out, &NormalRecords::duration);
}

int KORVEN_GetNormalAudioCodecDspValue(tagSTSOFTDSPVALUE* out) {
    return GetRecord("KORVEN_GetNormalAudioCodecDspValue", out, &NormalRecords::dspValue);
}

int KORVEN_GetNormalPhoneMute() { return GetValue("KORVEN_GetNormalPhoneMute", "Mute", &NormalRecords::mute); }

int KORVEN_GetNormalPageAll() { return GetValue("KORVEN_GetNormalPageAll", "PageAll", &NormalRecords::pageAll); }

int KORVEN_GetNormalPhoneTone() { return GetValue("KORVEN_GetNormalPhoneTone", "ToneID", &NormalRecords::toneId); }

int KORVEN_GetNormalPhoneBTone() { return GetValue("KORVEN_GetNormalPhoneBTone", "BToneID", &NormalRecords::btoneId); }

int KORVEN_GetNormalPhoneRing() { return GetValue("KORVEN_GetNormalPhoneRing", "RingID", &NormalRecords::ringId); }

int KORVEN_GetNormalPhoneBRing() { return GetValue("KORVEN_GetNormalPhoneBRing", "BRingID", &NormalRecords::bringId); }

int KORVEN_GetNormalPhoneRingLED() {
    return GetValue("KORVEN_GetNormalPhoneRingLED", "RingLED", &NormalRecords::ringLed);
}
