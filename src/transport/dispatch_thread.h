// The dispatch thread: decodes the frames that KORVEN_DispatchRecvLawPacket
// queued, one at a time and in arrival order.
#pragma once

class CKorvenSignalLibApp;

// Takes copies from the frame queue and parses each under the parser lock
// until the dispatch running flag is found cleared; copies still queued
// stay for CMessageQueue::RemoveAll.
void DispatchThreadProc(CKorvenSignalLibApp& app);
// Sets dispatch running and starts DispatchThreadProc. A thread that cannot
// be started leaves the flag cleared and no thread.
void StartDispatchThread(CKorvenSignalLibApp& app);

// How the stopping thread waits for the dispatch thread to end. KORVEN_Init
// may run on the thread of the application window while the dispatch thread
// waits in SendMessageA for that window: it keeps running the messages sent
// to its windows meanwhile. Unload just waits.
enum class DispatchStopWait { Plain, ServingSentMessages };

// Clears the flag, wakes the thread and waits for it, without time-out:
// 1 if a thread was stopped, 0 if none ran.
int StopDispatchThread(CKorvenSignalLibApp& app, DispatchStopWait wait = DispatchStopWait::Plain);
