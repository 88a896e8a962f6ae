// What the fuzz targets share: the library started once in callback mode on
// a window of the fuzzing thread, a known state for every input, the split
// of an input into frames and a call of every getter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "KorvenSignalLib.h"

namespace korven::fuzz {

// The first byte of an input: bit 0 the system type, bit 1 logging on,
// bit 2 notifications posted rather than sent.
struct InputFlags {
    int systemType;
    bool logOn;
    bool post;
};
InputFlags FlagsOf(uint8_t byte);

// Starts the state object (once per process) below a module folder without
// a "log" folder, so that logging formats every line but writes no file, and
// initialises it in callback mode on a window of the calling thread whose
// procedure runs `onNotification` (may be null).
void StartLibrary(WNDPROC onNotification = nullptr);
// Applies the flags and clears every record and the display's write
// position, so that an input does not depend on the ones before it.
void ResetLibrary(const InputFlags& flags);

// Hands one received frame to the parser as the receive thread does.
void ParseFrame(const uint8_t* frame, size_t length);

// Calls every Large and Normal getter with outputs of exactly the size the
// header gives, on the heap so that a write past them is caught.
void CallEveryGetter(uint8_t menuId);

// Frames of a stream input: each is a 2-byte length (high byte first, taken
// modulo 1025, the largest a frame fed by the application may be) and that
// many bytes, fewer at the end of the input.
std::vector<std::vector<uint8_t>> SplitFrames(const uint8_t* data, size_t size);

}  // namespace korven::fuzz
