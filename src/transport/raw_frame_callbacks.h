// The application's raw-frame callbacks, module-wide.
#pragma once

#include "KorvenSignalLib.h"

namespace korven {

void ClearRawFrameCallbacks();

}  // namespace korven
