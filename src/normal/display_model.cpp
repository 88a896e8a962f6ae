#include "normal/display_model.h"

#include <algorithm>
#include <climits>

namespace korven {
namespace {

constexpr int kColumns = static_cast<int>(kDisplayColumns);
constexpr size_t kLastStoredColumn = kWorkingLineUnits - 2;

struct LineColumn {
    DisplayLine line;
    size_t column;
};

LineColumn Locate(int position) {
    if (position < kColumns) return {DisplayLine::Upper, static_cast<size_t>(position)};
    return {DisplayLine::Lower, static_cast<size_t>(position - kColumns)};
}

}  // namespace

void DisplayModel::ClearAll() {
    for (DisplayLine line : {DisplayLine::Upper, DisplayLine::Lower}) {
        char16_t* units = LineOf(line);
        std::fill_n(units, kWorkingLineUnits, u'\0');
        std::fill_n(units, kDisplayColumns, u' ');
    }
    position_ = 0;
}

void DisplayModel::ClearUpper() {
    std::fill_n(LineOf(DisplayLine::Upper), kWorkingLineUnits, u'\0');
    position_ = 0;
}

void DisplayModel::ClearLower() {
    std::fill_n(LineOf(DisplayLine::Lower), kWorkingLineUnits, u'\0');
    position_ = kColumns;
}

void DisplayModel::ShiftLeft(int column) {
    const LineColumn at = Locate(column);
    const size_t length = LineLength(at.line);
    if (length <= at.column) return;
    char16_t* units = LineOf(at.line);
    std::copy(units + at.column + 1, units + length, units + at.column);
    // The copy leaves the last column as it was, as the display does.
}

void DisplayModel::ShiftRight(int column) {
    const LineColumn at = Locate(column);
    const size_t length = LineLength(at.line);
    if (length <= at.column) return;
    char16_t* units = LineOf(at.line);
    std::copy_backward(units + at.column, units + length - 1, units + length);
}

void DisplayModel::Write(const char16_t* units, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const LineColumn at = Locate(position_);
        if (at.column <= kLastStoredColumn) LineOf(at.line)[at.column] = units[i];
        // Saturates rather than overflow on a stream that never repositions.
        if (position_ < INT_MAX) ++position_;
    }
}

size_t DisplayModel::LineLength(DisplayLine line) const {
    const char16_t* units = Line(line);
    return static_cast<size_t>(std::find(units, units + kWorkingLineUnits - 1, u'\0') - units);
}

}  // namespace korven
