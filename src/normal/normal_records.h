// Values decoded from the PBX's Normal messages, kept in the state object.
#pragma once

#include <cstddef>
#include <cstdint>

#include "KorvenSignalLib.h"

// The display has two lines of 16 columns.
constexpr size_t kDisplayColumns = 16;
// A working line holds 55 UTF-16 code units and a terminator.
constexpr size_t kWorkingLineUnits = 56;
constexpr size_t kOutputLineBytes = KORVEN_LCD_LINE_SIZE;

// The display as the commands leave it: two zero-terminated working lines
// and the cursor flag (0 or 1).
struct DisplayScreen {
    char16_t lines[2][kWorkingLineUnits] = {};
    uint8_t cursorOn = 0;
};

// The display the application fetches: the working lines as they were at
// the end of the last command stream, converted to the user's narrow
// character set and zero-terminated, and the write position then.
struct DisplayRecord {
    DisplayScreen screen;
    char output[2][kOutputLineBytes] = {};
    int32_t cursorPosition = 0;
};

struct NormalRecords {
    tagSTSOFTSYSTEMDATE systemDate = {};
    tagSTSOFTDURATION duration = {};
    int32_t mute = 0;
    int32_t toneId = 0;
    int32_t bringId = 0;
    int32_t btoneId = 0;
    int32_t ringId = 0;
    int32_t ringLed = 0;
    int32_t pageAll = 0;
    tagSTSOFTDSPVALUE dspValue = {};
    DisplayRecord display;
};
