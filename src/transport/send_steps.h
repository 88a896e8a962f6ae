// The two send steps through which every request hands over its finished
// frame: the application's send callback first, then the socket.
#pragma once

#include <cstddef>
#include <cstdint>

class CKorvenSignalLibApp;

// Offers the frame to the send callback (result ignored); in callback mode
// that is the whole delivery and the step succeeds. In socket mode the frame
// goes to the stored destination (SendFrame) or to ip:port (SendFrameTo)
// through CKRVPWinsock. Returns 1, or 0 with the endpoint's error code
// (11008, 11013).
int SendFrame(CKorvenSignalLibApp& app, uint8_t* frame, size_t length);
int SendFrameTo(CKorvenSignalLibApp& app, uint8_t* frame, size_t length, const char* ip, unsigned port);
