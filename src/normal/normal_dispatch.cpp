#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "normal/event_process_normal.h"
#include "transport/frame_router.h"

const CEventProcessNormal::Route* CEventProcessNormal::FindRoute(int id) {
    // NORMAL_DGP_VOL and NORMAL_DISP_INFO have names but no handler.
    static const Route kRoutes[] = {
        {NORMAL_DGP_DATE, &CEventProcessNormal::ParseNormalDgpDate},
        {NORMAL_DURATION, &CEventProcessNormal::ParseNormalDuration},
        {NORMAL_DGP_MSG, &CEventProcessNormal::ParseNormalDgpMsg},
        {NORMAL_DGP_LCD, &CEventProcessNormal::ParseNormalDgpLcd},
        {NORMAL_DGP_TONE, &CEventProcessNormal::ParseNormalDgpTone},
        {NORMAL_DGPBRNG, &CEventProcessNormal::ParseNormalDgpBRing},
        {NORMAL_DGPBTON, &CEventProcessNormal::ParseNormalDgpBTone},
        {NORMAL_DGPRING, &CEventProcessNormal::ParseNormalDgpRing},
        {NORMAL_DGPINST, &CEventProcessNormal::ParseNormalDgpInst},
        {NORMAL_DGPRINGLED, &CEventProcessNormal::ParseNormalDgpRingLED},
        {NORMAL_PAGE_ALL, &CEventProcessNormal::ParseNormalPageAll},
        {NORMAL_DSP_VALUE, &CEventProcessNormal::ParseNormalDspValue},
    };
    for (const Route& route : kRoutes) {
        if (route.id == id) return &route;
    }
    return nullptr;
}

void CEventProcessNormal::Process(const korven::FrameReader& frame) {
    const int id = frame.u8(11);
    const Route* route = FindRoute(id);
    if (route != nullptr) (this->*route->handler)(id, frame);
}

void ProcessNormalFrame(CKorvenSignalLibApp& app, const korven::FrameReader& frame) {
    CEventProcessNormal process(&app);
    process.Process(frame);
}
