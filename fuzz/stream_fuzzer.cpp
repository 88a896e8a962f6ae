// A stream of frames from one PBX, so that what carries over from frame to
// frame (display, accumulating menu and key tables, phone database,
// conference lists, station tag) is built up and read back: every getter
// runs after every frame.
#include "fuzz_library.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    korven::fuzz::StartLibrary();
    korven::fuzz::ResetLibrary(korven::fuzz::FlagsOf(data[0]));
    for (const std::vector<uint8_t>& frame : korven::fuzz::SplitFrames(data + 1, size - 1)) {
        korven::fuzz::ParseFrame(frame.data(), frame.size());
        korven::fuzz::CallEveryGetter(frame.size() > 13 ? frame[13] : 0);
    }
    return 0;
}
