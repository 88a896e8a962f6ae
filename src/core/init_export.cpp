#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "transport/dispatch_thread.h"
#include "transport/message_queue.h"
#include "transport/raw_frame_callbacks.h"
#include "transport/udp_endpoint.h"

namespace {

const char* SystemTypeName(int systemType) { return systemType ? "IAP" : "KORVENHOST"; }
const char* ListenModeName(int listenMode) { return listenMode ? "PHONEIF_CALLBACK" : "SOFTPHONE_SOCKET"; }

}  // namespace

int KORVEN_Init(HWND appWindow, int systemType, int listenMode) {
    CKorvenSignalLibApp& app = theApp();
    WriteLog("======================      KORVEN_Init  ======================");
    WriteLog("[FN-BEGIN]KORVEN_Init : AppHwnd[0x%x], SystemType[%d:%s], ListenMode[%d:%s]",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(appWindow)), systemType, SystemTypeName(systemType),
             listenMode, ListenModeName(listenMode));
    if (appWindow == nullptr || (systemType != 0 && systemType != 1)) {
        return app.Fail(KORVEN_ERR_INVALID_ARGUMENT);
    }
    app.systemType = systemType;
    app.listenMode = listenMode;
    app.appWindow = appWindow;
    app.initialised = 1;
    app.networkMode = 0;
    app.errorCode = 0;
    korven::ClearRawFrameCallbacks();
    app.endpoint->CloseSocket();
    StopDispatchThread(app, DispatchStopWait::ServingSentMessages);
    app.frameQueue->RemoveAll();
    StartDispatchThread(app);
    WriteLog("[FN-END]KORVEN_Init");
    return 0;
}
