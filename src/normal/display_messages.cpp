// NORMAL_DGP_LCD and KORVEN_GetNormalPhoneLCDDisp.
#include <cstdio>

#include "KorvenSignalLib.h"
#include "normal/display_interpreter.h"
#include "normal/event_process_normal.h"
#include "normal/normal_handler_steps.h"

namespace {

// Library-wide rather than a record: it carries over from one display
// message to the next and is not cleared with the records. Only the display
// handler uses it, under the record lock.
int& DisplayWritePosition() {
    static int position = 0;
    return position;
}

}  // namespace

void CEventProcessNormal::ParseNormalDgpLcd(int id, const korven::FrameReader& frame) {
    korven::RunNormalHandler(*app_, id, "ParseNormalDgpLcd", [&frame](NormalRecords& normal) {
        korven::RunDisplayStream(frame, korven::kDisplayStreamStart, normal.display, DisplayWritePosition());
    });
}

int KORVEN_GetNormalPhoneLCDDisp(char* line1, char* line2, int* cursorOn, int* cursorPos) {
    return korven::RunNormalGetter(
        "KORVEN_GetNormalPhoneLCDDisp",
        [&] {
            const bool complete = line1 != nullptr && line2 != nullptr && cursorOn != nullptr && cursorPos != nullptr;
            return complete ? 0 : KORVEN_ERR_INVALID_ARGUMENT;
        },
        [&](const NormalRecords& normal) {
            const DisplayRecord& display = normal.display;
            std::snprintf(line1, kOutputLineBytes, "%s", display.output[0]);
            std::snprintf(line2, kOutputLineBytes, "%s", display.output[1]);
            *cursorOn = display.screen.cursorOn;
            *cursorPos = display.cursorPosition;
            return 0;
        },
        [&](int) {
            korven::LogDisplay(line1, line2, *cursorOn != 0, *cursorPos);
            WriteLog("[FN-END]KORVEN_GetNormalPhoneLCDDisp : Line1[%s], Line2[%s]", korven::LineForLog(line1).c_str(),
                     korven::LineForLog(line2).c_str());
        });
}
