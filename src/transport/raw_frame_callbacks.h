// The application's two raw-frame callbacks: one offered every datagram the
// socket receives, one offered every frame handed to a send step.
#pragma once

#include <cstddef>
#include <cstdint>

#include "KorvenSignalLib.h"

namespace korven {

void SetReceiveCallback(LawPacketCallback callback);
void SetSendCallback(LawPacketCallback callback);
// KORVEN_Init unregisters both.
void ClearRawFrameCallbacks();

// Call the callback, if one is registered, with the frame and its length;
// its result is ignored. Callable from any thread.
void OfferToReceiveCallback(uint8_t* frame, size_t length);
void OfferToSendCallback(uint8_t* frame, size_t length);

}  // namespace korven
