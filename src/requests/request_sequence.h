// The sequence every KORVEN_Wide... request follows, so that a request
// states only its begin line, its checks, its payload and what differs. The
// request groups build on it through wide_request_steps.h, e.g.:
//
//   constexpr WideRequest kSoftkey{{"KORVEN_WideSoftkey", 13, HeaderForm::B, SendPath::Iap}};
//   int KORVEN_WideSoftkey(int id) {
//       CKorvenSignalLibApp& app = theApp();
//       if (!korven::BeginWideRequest(app, kSoftkey, " : ID[%d]", id)) return -1;
//       return korven::SendSmallFrame(app, kSoftkey.traits, Low8(id));
//   }
//
// Requests that need more (two frames, a send of their own) use the single
// steps: WriteRequestHeader, SendByPath / SendStored / SendIap,
// FinishRequest.
#pragma once

#include <cstddef>
#include <cstdint>

#include "transport/frame_header.h"
#include "transport/iap_registration.h"

class CKorvenSignalLibApp;

namespace korven {

// Where a frame goes on IAP; on KORVENHOST every frame takes the stored path.
enum class SendPath {
    Stored,  // the socket's own destination, SendIP : RecPort
    Iap,     // the address text of the IAP registration record : RecPort
};

enum class ErrorOnSuccess { Clear, Keep };

// What a request states about itself besides its payload.
struct RequestTraits {
    const char* name;  // the exported name, for the end line
    uint8_t messageId;
    HeaderForm iapForm;  // its header form on IAP; KORVENHOST always uses form A
    SendPath iapPath;
    ErrorOnSuccess onSuccess = ErrorOnSuccess::Clear;
    const char* afterSendLine = nullptr;  // logged after a successful send
};

// Writes the begin line (printf-style), then checks that KORVEN_Init has
// succeeded: false with error 11002 otherwise, and the request returns -1.
bool BeginRequest(CKorvenSignalLibApp& app, const char* beginFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Writes header bytes 0-11: form A on KORVENHOST, the request's IAP form
// with the current station tag on IAP.
void WriteRequestHeader(const CKorvenSignalLibApp& app, const RequestTraits& traits, uint8_t* frame,
                        uint16_t totalLength);

// The send steps: false when the socket send failed, with the error code it
// left (11008, 11013); the request then returns -1 and logs nothing more.
bool SendStored(CKorvenSignalLibApp& app, uint8_t* frame, size_t length);
bool SendIap(CKorvenSignalLibApp& app, uint8_t* frame, size_t length);
// The stored path on KORVENHOST, the request's IAP path on IAP.
bool SendByPath(CKorvenSignalLibApp& app, const RequestTraits& traits, uint8_t* frame, size_t length);

// Logs the after-send line, clears the error code unless the request keeps
// it, writes "[FN-END]" and the name; returns 0.
int FinishRequest(CKorvenSignalLibApp& app, const RequestTraits& traits);

// Header, send and finish for a frame whose payload (bytes 12 on) is
// written: returns 0, or -1 after a failed send.
int SendRequest(CKorvenSignalLibApp& app, const RequestTraits& traits, uint8_t* frame, size_t length);

}  // namespace korven
