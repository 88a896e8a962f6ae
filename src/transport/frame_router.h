// Hands a received frame to the decoder of its class.
#pragma once

#include "transport/frame_reader.h"

class CKorvenSignalLibApp;

// Large (0x11) frames: CEventProcessLarge.
void ProcessLargeFrame(CKorvenSignalLibApp& app, const korven::FrameReader& frame);
// Normal (0x10) frames: CEventProcessNormal.
void ProcessNormalFrame(CKorvenSignalLibApp& app, const korven::FrameReader& frame);
