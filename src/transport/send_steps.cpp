#include "transport/send_steps.h"

#include "core/app_state.h"
#include "transport/raw_frame_callbacks.h"
#include "transport/udp_endpoint.h"

namespace {

// True when the callback was the whole delivery.
bool OfferToApplication(const CKorvenSignalLibApp& app, uint8_t* frame, size_t length) {
    korven::OfferToSendCallback(frame, length);
    return app.listenMode != 0;
}

}  // namespace

int SendFrame(CKorvenSignalLibApp& app, uint8_t* frame, size_t length) {
    if (OfferToApplication(app, frame, length)) return 1;
    return app.endpoint->SendPacket(frame, length);
}

int SendFrameTo(CKorvenSignalLibApp& app, uint8_t* frame, size_t length, const char* ip, unsigned port) {
    if (OfferToApplication(app, frame, length)) return 1;
    return app.endpoint->SendPacketTo(frame, length, ip, port);
}
