#include "normal/display_model.h"

#include <gtest/gtest.h>

#include <string>

namespace korven {
namespace {

class DisplayModelTest : public ::testing::Test {
protected:
    std::u16string Text(DisplayLine line) const { return model_.Line(line); }
    void Write(const std::u16string& text) { model_.Write(text.data(), text.size()); }
    // A line holding exactly `text`, written from its first column.
    void Fill(DisplayLine line, const std::u16string& text) {
        if (line == DisplayLine::Upper) {
            model_.ClearUpper();
        } else {
            model_.ClearLower();
        }
        Write(text);
    }

    DisplayScreen screen_;
    int position_ = 0;
    DisplayModel model_{screen_, position_};
};

const std::u16string kSpaces(16, u' ');

TEST_F(DisplayModelTest, ClearAllGivesTwoLinesOf16SpacesAndHomesThePosition) {
    Fill(DisplayLine::Lower, u"some longer text on line two");
    model_.ClearAll();
    EXPECT_EQ(Text(DisplayLine::Upper), kSpaces);
    EXPECT_EQ(Text(DisplayLine::Lower), kSpaces);
    EXPECT_EQ(model_.WritePosition(), 0);
}

TEST_F(DisplayModelTest, UpperAndLowerClearEmptyTheirLineOnlyAndPlaceThePosition) {
    model_.ClearAll();
    model_.ClearUpper();
    EXPECT_EQ(Text(DisplayLine::Upper), u"");
    EXPECT_EQ(Text(DisplayLine::Lower), kSpaces);
    EXPECT_EQ(model_.WritePosition(), 0);
    model_.ClearLower();
    EXPECT_EQ(Text(DisplayLine::Lower), u"");
    EXPECT_EQ(model_.WritePosition(), 16);
}

TEST_F(DisplayModelTest, WritingCrossesFromLine1IntoLine2AtPosition16) {
    model_.ClearAll();
    model_.MoveTo(14);
    Write(u"WXYZ");
    EXPECT_EQ(Text(DisplayLine::Upper), std::u16string(14, u' ') + u"WX");
    EXPECT_EQ(Text(DisplayLine::Lower), u"YZ" + std::u16string(14, u' '));
    EXPECT_EQ(model_.WritePosition(), 18);
}

TEST_F(DisplayModelTest, ACharacterBehindEmptyColumnsIsStoredButHiddenByTheTerminator) {
    model_.ClearUpper();
    model_.MoveTo(5);
    Write(u"Q");
    EXPECT_EQ(model_.LineLength(DisplayLine::Upper), 0u);
    EXPECT_EQ(screen_.lines[0][5], u'Q');
}

TEST_F(DisplayModelTest, ShiftsMoveTheRestOfTheLineKeepingItsLengthOnBothLines) {
    for (DisplayLine line : {DisplayLine::Upper, DisplayLine::Lower}) {
        const int column = line == DisplayLine::Upper ? 1 : 17;
        Fill(line, u"ABCDE");
        model_.ShiftLeft(column);
        EXPECT_EQ(Text(line), u"ACDEE");
        Fill(line, u"ABCDE");
        const int position = model_.WritePosition();
        model_.ShiftRight(column);
        EXPECT_EQ(Text(line), u"ABBCD");
        EXPECT_EQ(model_.WritePosition(), position);
    }
}

TEST_F(DisplayModelTest, ShiftLeftOnAPaddedLineBringsInTheTrailingSpace) {
    model_.ClearAll();
    Write(u"HELLO");
    model_.ShiftLeft(0);
    EXPECT_EQ(Text(DisplayLine::Upper), u"ELLO" + std::u16string(12, u' '));
}

TEST_F(DisplayModelTest, ShiftsAtOrPastTheEndOfTheLineChangeNothing) {
    Fill(DisplayLine::Lower, u"ABCD");
    model_.ShiftLeft(20);
    model_.ShiftRight(20);
    model_.ShiftLeft(255);
    EXPECT_EQ(Text(DisplayLine::Lower), u"ABCD");
    Fill(DisplayLine::Upper, u"ABCD");
    model_.ShiftRight(4);
    model_.ShiftLeft(15);
    EXPECT_EQ(Text(DisplayLine::Upper), u"ABCD");
}

TEST_F(DisplayModelTest, CharactersPastColumn55OfLine2AreDroppedWhileThePositionCounts) {
    model_.ClearLower();
    Write(std::u16string(60, u'a'));
    EXPECT_EQ(Text(DisplayLine::Lower), std::u16string(55, u'a'));
    EXPECT_EQ(screen_.lines[1][55], u'\0');
    EXPECT_EQ(model_.WritePosition(), 76);
    model_.MoveTo(255);
    Write(u"xy");
    EXPECT_EQ(Text(DisplayLine::Lower), std::u16string(55, u'a'));
    EXPECT_EQ(model_.WritePosition(), 257);
    model_.ShiftRight(16);
    EXPECT_EQ(model_.LineLength(DisplayLine::Lower), 55u);
}

}  // namespace
}  // namespace korven
