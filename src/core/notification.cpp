#include "core/notification.h"

#include "core/app_state.h"
#include "platform/window_messages.h"

namespace korven {

void NotifyApplication(CKorvenSignalLibApp& app, EventKind kind, int messageId) {
    const unsigned message = kind == EventKind::Normal ? app.normalEventMessage : app.largeEventMessage;
    void* window = app.appWindow.load();
    const auto wParam = static_cast<uintptr_t>(messageId);
    if (app.windowMessageType == 0) {
        platform::SendToWindow(window, message, wParam, 0);
    } else {
        platform::PostToWindow(window, message, wParam, 0);
    }
}

}  // namespace korven
