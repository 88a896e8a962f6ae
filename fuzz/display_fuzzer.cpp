// The display command interpreter alone. Byte 0 picks the user's language
// (so the text of CHAR and 2CHAR goes through single- and double-byte code
// pages) and logging; byte 1 is the write position left by earlier frames;
// the rest is the command stream of a NORMAL_DGP_LCD frame.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/diagnostic_log.h"
#include "normal/display_interpreter.h"

namespace {

const char* const kLanguages[] = {"C",           "ko_KR.UTF-8", "ja_JP.UTF-8", "zh_CN.UTF-8",
                                  "zh_TW.UTF-8", "ru_RU.UTF-8", "pl_PL.UTF-8", "el_GR.UTF-8"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    setenv("LC_ALL", kLanguages[data[0] % 8], 1);
    korven::TheLog().SetLevel(data[0] & 8 ? 1 : 0);
    // Exactly the frame's bytes, so that a read past them is caught.
    std::vector<uint8_t> frame(korven::kDisplayStreamStart + size - 2, 0);
    std::copy(data + 2, data + size, frame.begin() + korven::kDisplayStreamStart);
    DisplayRecord record;
    int writePosition = data[1];
    korven::RunDisplayStream(korven::FrameReader(frame.data(), frame.size()), korven::kDisplayStreamStart, record,
                             writePosition);
    return 0;
}
