// The handlers of the digital-telephone indications: date, duration, mute,
// tones, rings, ring LED, paging and DSP values.
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "normal/event_process_normal.h"
#include "normal/normal_handler_steps.h"

using korven::FrameReader;
using korven::RunNormalHandler;

namespace {

// NORMAL_DGP_MSG codes that switch mute; the others are not the library's.
constexpr uint8_t kMuteOn = 2;
constexpr uint8_t kMuteOff = 3;
constexpr int kRingIds = 10;

}  // namespace

void CEventProcessNormal::ParseNormalDgpDate(int id, const FrameReader& frame) {
    const bool iap = app_->IsIap();
    RunNormalHandler(*app_, id, "ParseNormalDgpDate", [&](NormalRecords& normal) {
        uint8_t* elements = normal.systemDate.elements;
        frame.bytes(14, elements, sizeof normal.systemDate.elements);
        // IAP sends the first element one higher; 0 wraps to 255.
        if (iap) elements[0] = static_cast<uint8_t>(elements[0] - 1);
    });
}

void CEventProcessNormal::ParseNormalDuration(int id, const FrameReader& frame) {
    RunNormalHandler(*app_, id, "ParseNormalDuration", [&](NormalRecords& normal) {
        frame.bytes(13, normal.duration.elements, sizeof normal.duration.elements);
    });
}

void CEventProcessNormal::ParseNormalDgpMsg(int id, const FrameReader& frame) {
    RunNormalHandler(*app_, id, "ParseNormalDgpMsg", [&](NormalRecords& normal) {
        const size_t count = frame.u8(13);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t code = frame.u8(14 + i);
            if (code == kMuteOn) normal.mute = 1;
            if (code == kMuteOff) normal.mute = 0;
        }
    });
}

void CEventProcessNormal::ParseNormalDgpTone(int id, const FrameReader& frame) {
    RunNormalHandler(*app_, id, "ParseNormalDgpTone", [&](NormalRecords& normal) {
        normal.toneId = frame.u8(13);
        WriteLog("Tone ID = 0x%02x", normal.toneId);
    });
}

void CEventProcessNormal::ParseNormalDgpBRing(int id, const FrameReader& frame) {
    RunNormalHandler(*app_, id, "ParseNormalDgpBRing", [&](NormalRecords& normal) {
        normal.bringId = frame.u8(13);
        WriteLog("BRing ID : %d", normal.bringId);
    });
}

void CEventProcessNormal::ParseNormalDgpBTone(int id, const FrameReader& frame) {
    RunNormalHandler(*app_, id, "ParseNormalDgpBTone", [&](NormalRecords& normal) {
        normal.btoneId = frame.u8(13);
        WriteLog("BToneID : %d", normal.btoneId);
    });
}

void CEventProcessNormal::ParseNormalDgpRing(int id, const FrameReader& frame) {
    RunNormalHandler(*app_, id, "ParseNormalDgpRing", [&](NormalRecords& normal) {
        normal.ringId = frame.u8(13) % kRingIds;
        WriteLog("Ring ID : %d", normal.ringId);
    });
}

void CEventProcessNormal::ParseNormalDgpInst(int id, const FrameReader&) {
    RunNormalHandler(*app_, id, "ParseNormalDgpInst", [](NormalRecords&) {});
}

void CEventProcessNormal::ParseNormalDgpRingLED(int id, const FrameReader& frame) {
    RunNormalHandler(*app_, id, "ParseNormalDgpRingLED", [&](NormalRecords& normal) {
        normal.ringLed = frame.u8(13);
        WriteLog("RingLED : %d", normal.ringLed);
    });
}

void CEventProcessNormal::ParseNormalPageAll(int id, const FrameReader& frame) {
    RunNormalHandler(*app_, id, "ParseNormalPageAll", [&](NormalRecords& normal) {
        normal.pageAll = frame.u8(12);
        WriteLog("PageAll : %d", normal.pageAll);
    });
}

void CEventProcessNormal::ParseNormalDspValue(int id, const FrameReader& frame) {
    RunNormalHandler(*app_, id, "ParseNormalDspValue", [&](NormalRecords& normal) {
        normal.dspValue.elements[0] = frame.u8(28);
        normal.dspValue.elements[1] = frame.u8(30);
    });
}
