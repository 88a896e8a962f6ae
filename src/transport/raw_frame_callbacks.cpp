#include "transport/raw_frame_callbacks.h"

#include <atomic>

namespace korven {
namespace {

std::atomic<LawPacketCallback> receiveCallback{nullptr};
std::atomic<LawPacketCallback> sendCallback{nullptr};

void Offer(const std::atomic<LawPacketCallback>& slot, uint8_t* frame, size_t length) {
    if (const LawPacketCallback callback = slot.load()) callback(frame, static_cast<int>(length));
}

}  // namespace

void SetReceiveCallback(LawPacketCallback callback) { receiveCallback = callback; }

void SetSendCallback(LawPacketCallback callback) { sendCallback = callback; }

void ClearRawFrameCallbacks() {
    receiveCallback = nullptr;
    sendCallback = nullptr;
}

void OfferToReceiveCallback(uint8_t* frame, size_t length) { Offer(receiveCallback, frame, length); }

void OfferToSendCallback(uint8_t* frame, size_t length) { Offer(sendCallback, frame, length); }

}  // namespace korven
