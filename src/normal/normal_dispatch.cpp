#include "core/app_state.h"
#include "transport/frame_router.h"

void ProcessNormalFrame(CKorvenSignalLibApp&, const korven::FrameReader&) {}
