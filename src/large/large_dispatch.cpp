#include "core/app_state.h"
#include "transport/frame_router.h"

void ProcessLargeFrame(CKorvenSignalLibApp&, const korven::FrameReader&) {}
