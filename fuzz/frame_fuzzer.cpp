// One received frame through the parser, then every getter: the flag byte
// picks the system type and logging, the rest is the frame.
#include "fuzz_library.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    korven::fuzz::StartLibrary();
    korven::fuzz::ResetLibrary(korven::fuzz::FlagsOf(data[0]));
    korven::fuzz::ParseFrame(data + 1, size - 1);
    korven::fuzz::CallEveryGetter(size > 13 ? data[13] : 0);
    return 0;
}
