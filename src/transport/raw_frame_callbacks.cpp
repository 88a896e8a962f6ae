#include "transport/raw_frame_callbacks.h"

namespace korven {

void ClearRawFrameCallbacks() {}

}  // namespace korven
