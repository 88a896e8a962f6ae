// The dispatch thread that decodes the frames fed by the application.
#pragma once

class CKorvenSignalLibApp;

// Starts DispatchThreadProc with the state object (dispatch running = 1).
void StartDispatchThread(CKorvenSignalLibApp& app);
// Stops and joins the dispatch thread if it runs.
void StopDispatchThread(CKorvenSignalLibApp& app);
