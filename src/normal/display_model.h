// The two-line telephone display as the display commands see it. One write
// position addresses both lines: positions 0-15 are the columns of line 1,
// positions 16 and above the columns of line 2 (position minus 16).
#pragma once

#include <cstddef>

#include "normal/normal_records.h"

namespace korven {

enum class DisplayLine { Upper = 0, Lower = 1 };

// Works on a screen and a write position that the caller keeps, so that the
// position can outlive the records it paints.
class DisplayModel {
public:
    DisplayModel(DisplayScreen& screen, int& writePosition) : screen_(screen), position_(writePosition) {}

    // Both lines become 16 spaces; position 0.
    void ClearAll();
    // Line 1 becomes empty; position 0.
    void ClearUpper();
    // Line 2 becomes empty; position 16.
    void ClearLower();
    void SetCursor(bool on) { screen_.cursorOn = on ? 1 : 0; }
    bool CursorOn() const { return screen_.cursorOn != 0; }
    // Any position is accepted; what lies beyond a line is never stored.
    void MoveTo(int position) { position_ = position; }
    int WritePosition() const { return position_; }

    // A column below 16 addresses line 1, any other line 2 at column - 16.
    // Left: the character at the column goes, the rest of the line moves one
    // column left and the last character also stays where it was. Right: the
    // line from the column moves one column right, the character at the
    // column also stays, the last character is lost. Either way the line
    // keeps its length; at or past its end nothing changes.
    void ShiftLeft(int column);
    void ShiftRight(int column);

    // Stores the units one column each from the write position on, crossing
    // from line 1 into line 2 at position 16, and advances the position by
    // each. Units that would land past the 55 columns a working line holds
    // are dropped.
    void Write(const char16_t* units, size_t count);

    // Code units before the line's terminator.
    size_t LineLength(DisplayLine line) const;
    const char16_t* Line(DisplayLine line) const { return screen_.lines[static_cast<int>(line)]; }

private:
    char16_t* LineOf(DisplayLine line) { return screen_.lines[static_cast<int>(line)]; }

    DisplayScreen& screen_;
    int& position_;
};

}  // namespace korven
