// The display command interpreter: runs the command stream of a
// NORMAL_DGP_LCD frame against the display and produces the two lines the
// application fetches.
#pragma once

#include <cstddef>
#include <string>

#include "normal/normal_records.h"
#include "transport/frame_reader.h"

namespace korven {

// Where the command stream begins in a NORMAL_DGP_LCD frame (b12 is unused).
constexpr size_t kDisplayStreamStart = 13;

// Runs the commands from `start` on the display in record and writePosition,
// logging each. The stream ends at END (0x00 or 0xFF) or, lacking one, with
// the frame; a command cut off by the end of the frame is not carried out.
// Either way the working lines are then converted into the output lines in
// the user's narrow character set and the write position becomes the cursor
// position. CHAR and 2CHAR resume behind their text, so text bytes are never
// taken for commands.
void RunDisplayStream(const FrameReader& frame, size_t start, DisplayRecord& record, int& writePosition);

// An output line (up to its first zero, at most kOutputLineBytes) as text
// for a log line: the PBX's line breaks are written as \r and \n.
std::string LineForLog(const char* line);

// "LCD Line 1 : [..]", "LCD Line 2 : [..]" and "LCD Cursor[ON|OFF],
// CursorPos[n]".
void LogDisplay(const char* line1, const char* line2, bool cursorOn, int cursorPosition);

}  // namespace korven
