#include "normal/display_interpreter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/diagnostic_log.h"
#include "core/frame_text_log.h"
#include "normal/display_model.h"
#include "platform/text_codec.h"

namespace korven {
namespace {

enum class Operand { None, Byte, Text };

// What a command gets: the display, its operand (the argument byte, or the
// byte count of its text), its text and where the rest of the stream begins.
struct CommandStep {
    DisplayModel& model;
    uint8_t operand;
    const uint8_t* text;
    const FrameReader& frame;
    size_t restAt;
};

// A command; END has no run.
struct Command {
    uint8_t code;
    Operand operand;
    void (*run)(const CommandStep&);
};

// The stream from the step's rest on, up to its first zero byte or the end
// of the frame, as text for the log; not built while nothing is written.
std::string RestOf(const CommandStep& step) {
    std::string rest;
    if (!TheLog().Enabled()) return rest;
    for (size_t at = step.restAt; step.frame.has(at, 1) && step.frame.u8(at) != 0; ++at) {
        rest.push_back(static_cast<char>(step.frame.u8(at)));
    }
    return FrameTextForLog(rest.data(), rest.size());
}

void ClearAll(const CommandStep& step) {
    step.model.ClearAll();
    WriteLog("LCD MSG ALLCLR");
}

void ClearUpper(const CommandStep& step) {
    step.model.ClearUpper();
    WriteLog("LCD MSG UPPCLR");
}

void ClearLower(const CommandStep& step) {
    step.model.ClearLower();
    WriteLog("LCD MSG LOWCLR");
}

void CursorOn(const CommandStep& step) {
    step.model.SetCursor(true);
    WriteLog("CURSOR_ON...");
}

void CursorOff(const CommandStep& step) {
    step.model.SetCursor(false);
    WriteLog("CURSOR_OFF...");
}

void ShiftLeft(const CommandStep& step) {
    WriteLog("LCD MSG SHIFT LEFT[%d][%s][nLen1=%d][nLen2=%d]", step.operand, RestOf(step).c_str(),
             static_cast<int>(step.model.LineLength(DisplayLine::Upper)),
             static_cast<int>(step.model.LineLength(DisplayLine::Lower)));
    step.model.ShiftLeft(step.operand);
}

void ShiftRight(const CommandStep& step) {
    WriteLog("LCD MSG SHIFT RIGHT[%d][%s]", step.operand, RestOf(step).c_str());
    step.model.ShiftRight(step.operand);
}

// CHAR and 2CHAR differ only in name: both convert from the same code page.
// A text that does not convert, or needs more than a working line holds,
// writes nothing.
void WriteText(const CommandStep& step, const char* name) {
    WriteLog("LCD MSG %s [%d][%s] = pos[%d]", name, step.operand, RestOf(step).c_str(), step.model.WritePosition());
    char16_t units[kWorkingLineUnits];
    const size_t count =
        platform::NarrowToWide(platform::UserNarrowCodePage(), step.text, step.operand, units, kWorkingLineUnits);
    step.model.Write(units, count);
}

void WriteChar(const CommandStep& step) { WriteText(step, "CHAR"); }

void WriteDoubleChar(const CommandStep& step) { WriteText(step, "2CHAR"); }

void Blank(const CommandStep& step) { WriteLog("LCD MSG BLANK[%d][%s]", step.operand, RestOf(step).c_str()); }

void Position(const CommandStep& step) {
    WriteLog("LCD MSG CRPOS[%d][%s]", step.operand, RestOf(step).c_str());
    step.model.MoveTo(step.operand);
}

void Date(const CommandStep&) { WriteLog("LCD Date"); }

constexpr Command kCommands[] = {
    {0x00, Operand::None, nullptr},     // END
    {0xFF, Operand::None, nullptr},     // END
    {0x01, Operand::None, ClearAll},    // ALLCLR
    {0x02, Operand::None, ClearUpper},  // UPPCLR
    {0x03, Operand::None, ClearLower},  // LOWCLR
    {0x04, Operand::None, CursorOn},   {0x17, Operand::None, CursorOn},        {0x05, Operand::None, CursorOff},
    {0x15, Operand::None, CursorOff},  {0x06, Operand::Byte, ShiftLeft},       {0x07, Operand::Byte, ShiftRight},
    {0x08, Operand::Text, WriteChar},  {0x1E, Operand::Text, WriteDoubleChar}, {0x0C, Operand::Byte, Blank},
    {0x1D, Operand::Byte, Position},  // CRPOS
    {0x1F, Operand::None, Date},
};

const Command* FindCommand(uint8_t code) {
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [code](const Command& command) { return command.code == code; });
    return found != std::end(kCommands) ? found : nullptr;
}

// Carries out the command whose code is at `at` and moves `at` behind it,
// its argument and its text. False, with nothing done, when the frame ends
// inside the command.
bool RunCommand(const Command& command, const FrameReader& frame, size_t& at, DisplayModel& model) {
    size_t next = at + 1;
    uint8_t operand = 0;
    if (command.operand != Operand::None) {
        if (!frame.has(next, 1)) return false;
        operand = frame.u8(next++);
    }
    const size_t restAt = next;
    uint8_t text[UINT8_MAX];
    if (command.operand == Operand::Text) {
        if (!frame.has(next, operand)) return false;
        frame.bytes(next, text, operand);
        next += operand;
    }
    command.run({model, operand, text, frame, restAt});
    at = next;
    return true;
}

// END: the output lines from the working lines, the cursor position from
// the write position. count is the number of stream bytes taken.
void FinishStream(DisplayRecord& record, const DisplayModel& model, size_t count) {
    WriteLog("LCD MSG END[%d]", static_cast<int>(count));
    for (DisplayLine line : {DisplayLine::Upper, DisplayLine::Lower}) {
        char* output = record.output[static_cast<int>(line)];
        std::fill_n(output, kOutputLineBytes, '\0');
        platform::WideToNarrow(platform::UserNarrowCodePage(), model.Line(line), output, kOutputLineBytes);
    }
    record.cursorPosition = model.WritePosition();
    LogDisplay(record.output[0], record.output[1], model.CursorOn(), record.cursorPosition);
}

}  // namespace

void RunDisplayStream(const FrameReader& frame, size_t start, DisplayRecord& record, int& writePosition) {
    DisplayModel model(record.screen, writePosition);
    size_t at = start;
    while (frame.has(at, 1)) {
        const uint8_t code = frame.u8(at);
        const Command* command = FindCommand(code);
        if (command == nullptr) {
            WriteLog("UnKnown LCD Cmd[%d]", code);
            ++at;
        } else if (command->run == nullptr) {
            ++at;
            break;
        } else if (!RunCommand(*command, frame, at, model)) {
            at = frame.size();
        }
    }
    FinishStream(record, model, at - start);
}

std::string LineForLog(const char* line) { return FrameTextForLog(line, strnlen(line, kOutputLineBytes)); }

void LogDisplay(const char* line1, const char* line2, bool cursorOn, int cursorPosition) {
    WriteLog("LCD Line 1 : [%s]", LineForLog(line1).c_str());
    WriteLog("LCD Line 2 : [%s]", LineForLog(line2).c_str());
    WriteLog("LCD Cursor[%s], CursorPos[%d]", cursorOn ? "ON" : "OFF", cursorPosition);
}

}  // namespace korven
