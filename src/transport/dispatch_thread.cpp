#include "transport/dispatch_thread.h"

#include "core/app_state.h"

void StartDispatchThread(CKorvenSignalLibApp& app) { app.dispatchRunning = 1; }

void StopDispatchThread(CKorvenSignalLibApp& app) { app.dispatchRunning = 0; }
