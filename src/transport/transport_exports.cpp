// Exports of the transport: the socket handle, the raw-frame callbacks and
// the feed of frames that the application carries itself.
#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "transport/message_queue.h"
#include "transport/raw_frame_callbacks.h"
#include "transport/udp_endpoint.h"

namespace {

// The most KORVEN_DispatchRecvLawPacket takes in one frame.
constexpr int kFeedLimit = 1024;

int RegisterCallback(LawPacketCallback callback, void (*store)(LawPacketCallback), const char* name) {
    WriteLog("[FN-BEGIN]%s", name);
    CKorvenSignalLibApp& app = theApp();
    if (callback == nullptr) return app.Fail(KORVEN_ERR_INVALID_ARGUMENT);
    if (!app.RequireInitialised()) return -1;
    store(callback);
    WriteLog("[FN-END]%s", name);
    return 0;
}

}  // namespace

int KORVEN_GetSignalSocketSoc() {
    WriteLog("[FN-BEGIN]KORVEN_GetSignalSocketSoc");
    CKorvenSignalLibApp& app = theApp();
    if (!app.RequireInitialised()) return -1;
    const korven::platform::SocketHandle socket = app.endpoint->Socket();
    if (socket == korven::platform::kNoSocket) return app.Fail(KORVEN_ERR_NO_SOCKET);
    WriteLog("[FN-END]KORVEN_GetSignalSocketSoc : [0x%x]", static_cast<unsigned>(socket));
    return static_cast<int>(socket);
}

int KORVEN_CallBackRegFnRecvLawPacket(LawPacketCallback callback) {
    return RegisterCallback(callback, korven::SetReceiveCallback, "KORVEN_CallBackRegFnRecvLawPacket");
}

int KORVEN_CallBackRegFnSendLawPacket(LawPacketCallback callback) {
    return RegisterCallback(callback, korven::SetSendCallback, "KORVEN_CallBackRegFnSendLawPacket");
}

int KORVEN_DispatchRecvLawPacket(void* frame, int length) {
    WriteLog("[FN-BEGIN]KORVEN_DispatchRecvLawPacket : RecvLen[%d]", length);
    CKorvenSignalLibApp& app = theApp();
    if (!app.RequireInitialised()) return -1;
    if (app.listenMode == 0) return app.Fail(KORVEN_ERR_NOT_AVAILABLE_IN_MODE);
    // Lengths beyond the staging limit are refused rather than cut: a cut
    // frame would be decoded as if it were whole.
    if (frame == nullptr || length <= 0 || length > kFeedLimit) return app.Fail(KORVEN_ERR_INVALID_ARGUMENT);
    app.frameQueue->Push(static_cast<const uint8_t*>(frame), static_cast<size_t>(length));
    WriteLog("[FN-END]KORVEN_DispatchRecvLawPacket");
    return 0;
}
