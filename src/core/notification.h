// Tells the application window about a decoded message.
#pragma once

class CKorvenSignalLibApp;

namespace korven {

enum class EventKind { Normal, Large };

// Sends (window message type 0) or posts the NORMAL or LARGE event message
// with WPARAM = messageId and LPARAM = 0. Callers must not hold the record
// lock: the window procedure calls getters.
void NotifyApplication(CKorvenSignalLibApp& app, EventKind kind, int messageId);

}  // namespace korven
