// The display command streams of NORMAL_DGP_LCD: built command by command,
// or painted from two plain text lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pbxsim/pbx_frames.h"

namespace korven::pbxsim {

using Bytes = std::vector<uint8_t>;

// Appends one command per call. Text is the narrow text of the softphone
// user's character set, cut to the 255 bytes a count byte can announce.
class DisplayStream {
public:
    DisplayStream& AllClear() { return Code(0x01); }
    DisplayStream& UpperClear() { return Code(0x02); }
    DisplayStream& LowerClear() { return Code(0x03); }
    DisplayStream& CursorOn() { return Code(0x04); }
    DisplayStream& CursorOff() { return Code(0x05); }
    DisplayStream& ShiftLeft(uint8_t column) { return Code(0x06).Code(column); }
    DisplayStream& ShiftRight(uint8_t column) { return Code(0x07).Code(column); }
    DisplayStream& Char(std::string_view text) { return Text(0x08, text); }
    DisplayStream& DoubleChar(std::string_view text) { return Text(0x1E, text); }
    DisplayStream& Blank(uint8_t value) { return Code(0x0C).Code(value); }
    DisplayStream& Position(uint8_t position) { return Code(0x1D).Code(position); }
    DisplayStream& Date() { return Code(0x1F); }
    DisplayStream& End() { return Code(0x00); }
    // Any byte, for codes the softphone does not know.
    DisplayStream& Code(uint8_t code);

    const Bytes& bytes() const { return bytes_; }

private:
    DisplayStream& Text(uint8_t code, std::string_view text);
    Bytes bytes_;
};

// What the display should show. Each line's text is written from the first
// column of its line onto a cleared display (16 spaces a line); text longer
// than line 1 runs on into line 2 as on the telephone.
struct DisplayPicture {
    std::string line1;
    std::string line2;
    bool cursorOn = false;
    uint8_t cursorPosition = 0;
};

// ALLCLR, each non-empty line positioned and written, the cursor switched
// and positioned, END.
Bytes PaintDisplay(const DisplayPicture& picture);
// PaintDisplay as a NORMAL_DGP_LCD frame.
Bytes DisplayFrame(const DisplayPicture& picture, System system = System::KorvenHost);

}  // namespace korven::pbxsim
