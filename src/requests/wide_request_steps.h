// Steps shared by the call, key, conference, text, SMS and phone database
// requests on top of the common request sequence: the system-type refusal,
// the null-argument check, after-send lines formatted from the arguments and
// the frames whose payload is a few bytes or a block of texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "requests/request_sequence.h"
#include "transport/frame_header.h"

class CKorvenSignalLibApp;

namespace korven {

// The system types a request exists for.
enum class Served { Both, KorvenHostOnly, IapOnly };

struct WideRequest {
    RequestTraits traits;
    Served served = Served::Both;
};

// Longest formatted line; WriteLog cuts its messages shorter still.
constexpr size_t kRequestLineSize = 1024;

// Writes "[FN-BEGIN]", the exported name and the suffix (printf-style), then
// checks initialisation (11002) and the system type (11017 for a
// KORVENHOST-only request on IAP, 11016 for an IAP-only one on KORVENHOST).
// False: the request returns -1 having sent nothing.
bool BeginWideRequest(CKorvenSignalLibApp& app, const WideRequest& request, const char* suffixFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
// The same for a request whose begin line shows no arguments.
inline bool BeginWideRequest(CKorvenSignalLibApp& app, const WideRequest& request) {
    return BeginWideRequest(app, request, "%s", "");
}

// A text argument as the begin line shows it; a null one as empty.
inline const char* Shown(const char* text) { return text != nullptr ? text : ""; }

// False with 11000 when one of the pointer arguments is null.
bool RequireArguments(CKorvenSignalLibApp& app, std::initializer_list<const void*> pointers);

// A line logged after a successful send, formatted from the request's
// arguments before the send (printf-style).
class AfterSendLine {
public:
    AfterSendLine(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    const char* text() const { return text_; }

private:
    char text_[kRequestLineSize];
};

// The request's traits with its after-send line.
RequestTraits WithLine(const RequestTraits& traits, const AfterSendLine& line);

// Sends a frame whose payload is the given bytes, b12 on, through the
// common sequence.
template <class... Payload>
int SendSmallFrame(CKorvenSignalLibApp& app, const RequestTraits& traits, Payload... payload) {
    uint8_t frame[kHeaderSize + sizeof...(Payload)] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, payload...};
    return SendRequest(app, traits, frame, sizeof frame);
}

// Texts of 16 bytes that travel byte for byte, text i at b12 + 16 * i.
constexpr size_t kBlockTextSize = 16;
// Copies the texts into frame (length bytes: 12 + 16 per text) and sends it
// through the common sequence; after the send, logText(i, text i) for each
// text in order.
int SendTextBlock(CKorvenSignalLibApp& app, const RequestTraits& traits, const char* texts, uint8_t* frame, size_t length,
                  void (*logText)(size_t index, const char* text));

// The low 8 bits, as integer arguments travel.
constexpr uint8_t Low8(int value) { return static_cast<uint8_t>(static_cast<unsigned>(value)); }
// A zero-based index as the PBX counts it: plus one, low 8 bits, without
// overflowing the int.
constexpr uint8_t OneBased(int index) { return static_cast<uint8_t>(static_cast<unsigned>(index) + 1u); }

}  // namespace korven
