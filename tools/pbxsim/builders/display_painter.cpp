#include "pbxsim/builders/display_painter.h"

#include <algorithm>

#include "pbxsim/builders/normal_messages.h"

namespace korven::pbxsim {
namespace {

constexpr size_t kMaxText = UINT8_MAX;
constexpr uint8_t kLine2Start = 16;

}  // namespace

DisplayStream& DisplayStream::Code(uint8_t code) {
    bytes_.push_back(code);
    return *this;
}

DisplayStream& DisplayStream::Text(uint8_t code, std::string_view text) {
    const size_t count = std::min(text.size(), kMaxText);
    Code(code).Code(static_cast<uint8_t>(count));
    bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count));
    return *this;
}

Bytes PaintDisplay(const DisplayPicture& picture) {
    DisplayStream stream;
    stream.AllClear();
    if (!picture.line1.empty()) stream.Position(0).Char(picture.line1);
    if (!picture.line2.empty()) stream.Position(kLine2Start).Char(picture.line2);
    if (picture.cursorOn) {
        stream.CursorOn();
    } else {
        stream.CursorOff();
    }
    return stream.Position(picture.cursorPosition).End().bytes();
}

Bytes DisplayFrame(const DisplayPicture& picture, System system) { return NormalDgpLcd(PaintDisplay(picture), system); }

}  // namespace korven::pbxsim
