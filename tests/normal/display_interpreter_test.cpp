#include "normal/display_interpreter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "normal/user_language.h"
#include "pbxsim/builders/display_painter.h"
#include "pbxsim/builders/normal_messages.h"
#include "support/log_capture.h"

namespace korven {
namespace {

using pbxsim::DisplayStream;
using test::LogCapture;
using test::ScopedUserLanguage;

const std::string kSpaces(16, ' ');
const std::string kKoreanHello = "\xBE\xC8\xB3\xE7";           // two characters in code page 949
const std::string kRussianHello = "\xF0\xD2\xC9\xD7\xC5\xD4";  // six characters in KOI8-R
const std::string kRussianHelloIn949 = "\xAC\xB1\xAC\xE2\xAC\xDA\xAC\xD3\xAC\xD6\xAC\xE4";

class DisplayInterpreterTest : public ::testing::Test {
protected:
    // Runs the stream as the payload of a NORMAL_DGP_LCD frame.
    void Run(const std::vector<uint8_t>& stream) {
        const std::vector<uint8_t> frame = pbxsim::NormalDgpLcd(stream);
        RunDisplayStream(FrameReader(frame.data(), frame.size()), kDisplayStreamStart, record_, position_);
    }
    void Run(const DisplayStream& stream) { Run(stream.bytes()); }
    std::string Line1() const { return record_.output[0]; }
    std::string Line2() const { return record_.output[1]; }

    DisplayRecord record_;
    int position_ = 0;
};

TEST_F(DisplayInterpreterTest, AllClearAloneShowsTwoBlankLinesAndLogsTheDisplay) {
    LogCapture log;
    Run({0x01, 0x00});
    EXPECT_EQ(Line1(), kSpaces);
    EXPECT_EQ(Line2(), kSpaces);
    EXPECT_EQ(record_.cursorPosition, 0);
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  "LCD MSG ALLCLR",
                                  "LCD MSG END[2]",
                                  "LCD Line 1 : [" + kSpaces + "]",
                                  "LCD Line 2 : [" + kSpaces + "]",
                                  "LCD Cursor[OFF], CursorPos[0]",
                              }));
}

TEST_F(DisplayInterpreterTest, TextIsWrittenAtTheWritePositionAndLogged) {
    LogCapture log;
    Run(DisplayStream().AllClear().Char("HELLO").End());
    EXPECT_EQ(Line1(), "HELLO" + std::string(11, ' '));
    EXPECT_EQ(record_.cursorPosition, 5);
    EXPECT_TRUE(log.Contains("LCD MSG CHAR [5][HELLO] = pos[0]"));
}

TEST_F(DisplayInterpreterTest, TheWritePositionCarriesOverToTheNextMessage) {
    Run(DisplayStream().UpperClear().LowerClear().End());
    Run(DisplayStream().Char("Z").End());
    EXPECT_EQ(Line1(), "");
    EXPECT_EQ(Line2(), "Z");
    EXPECT_EQ(record_.cursorPosition, 17);
}

TEST_F(DisplayInterpreterTest, AMessageChangesOnlyWhatItsCommandsTouch) {
    Run(DisplayStream().AllClear().Char("HELLO").CursorOn().End());
    Run(DisplayStream().Position(3).Char("P").End());
    EXPECT_EQ(Line1(), "HELPO" + std::string(11, ' '));
    EXPECT_EQ(Line2(), kSpaces);
    EXPECT_EQ(record_.screen.cursorOn, 1);
    EXPECT_EQ(record_.cursorPosition, 4);
}

TEST_F(DisplayInterpreterTest, BothCursorCodesOfEachKindSwitchTheCursor) {
    const std::pair<uint8_t, uint8_t> codes[] = {{0x17, 1}, {0x05, 0}, {0x04, 1}, {0x15, 0}};
    for (const auto& [code, on] : codes) {
        SCOPED_TRACE(code);
        LogCapture log;
        Run({code, 0x00});
        EXPECT_EQ(record_.screen.cursorOn, on);
        EXPECT_EQ(log.Messages().front(), on ? "CURSOR_ON..." : "CURSOR_OFF...");
        EXPECT_EQ(log.Messages().back(), std::string("LCD Cursor[") + (on ? "ON" : "OFF") + "], CursorPos[0]");
    }
}

TEST_F(DisplayInterpreterTest, ShiftsLogTheirColumnAndTheLineLengthsBeforeShifting) {
    LogCapture log;
    Run(DisplayStream().AllClear().UpperClear().Char("ABCDE").ShiftLeft(1).End());
    EXPECT_EQ(Line1(), "ACDEE");
    EXPECT_TRUE(log.Contains("LCD MSG SHIFT LEFT[1][][nLen1=5][nLen2=16]"));
    Run(DisplayStream().UpperClear().Char("ABCDE").ShiftRight(1).End());
    EXPECT_EQ(Line1(), "ABBCD");
    EXPECT_TRUE(log.Contains("LCD MSG SHIFT RIGHT[1][]"));
    Run(DisplayStream().LowerClear().Char("ABCD").ShiftLeft(20).End());
    EXPECT_EQ(Line2(), "ABCD");
}

TEST_F(DisplayInterpreterTest, UnknownBlankAndDateCommandsAreLoggedAndPassedOver) {
    LogCapture log;
    Run(DisplayStream().AllClear().Code(0x09).Code(0x20).Code(0xFE).Blank(7).Date().Char("A").End());
    EXPECT_EQ(Line1(), "A" + std::string(15, ' '));
    const std::vector<std::string> expected = {
        "LCD MSG ALLCLR",
        "UnKnown LCD Cmd[9]",
        "UnKnown LCD Cmd[32]",
        "UnKnown LCD Cmd[254]",
        "LCD MSG BLANK[7][\x1F\x08\x01"
        "A]",
        "LCD Date",
        "LCD MSG CHAR [1][A] = pos[0]",
        "LCD MSG END[11]",
    };
    const std::vector<std::string> messages = log.Messages();
    EXPECT_EQ(std::vector<std::string>(messages.begin(), messages.begin() + 8), expected);
}

TEST_F(DisplayInterpreterTest, EndCountsEveryStreamByteUpToItsEndByte) {
    LogCapture log;
    Run(DisplayStream().AllClear().Position(5).CursorOn().ShiftLeft(2).End());
    EXPECT_TRUE(log.Contains("LCD MSG END[7]"));
    EXPECT_TRUE(log.Contains("LCD MSG CRPOS[5][\x04\x06\x02]"));
    Run({0x01, 0xFF, 0x08, 0x01, 'A', 0x00});
    EXPECT_TRUE(log.Contains("LCD MSG END[2]"));
    EXPECT_EQ(Line1(), kSpaces);
}

TEST_F(DisplayInterpreterTest, TheStreamResumesBehindTheTextSoTextBytesAreNeverCommands) {
    LogCapture log;
    Run(DisplayStream().AllClear().Char(std::string("A\x03Z", 3)).End());
    EXPECT_EQ(Line1(), std::string("A\x03Z", 3) + std::string(13, ' '));
    EXPECT_EQ(Line2(), kSpaces);
    EXPECT_FALSE(log.Contains("LCD MSG LOWCLR"));
    EXPECT_TRUE(log.Contains("LCD MSG END[7]"));
}

TEST_F(DisplayInterpreterTest, AFrameEndingWithoutEndFinishesTheStreamThere) {
    LogCapture log;
    Run(DisplayStream().AllClear().Char("A"));
    EXPECT_EQ(Line1(), "A" + std::string(15, ' '));
    EXPECT_TRUE(log.Contains("LCD MSG END[4]"));

    // A command cut off by the end of the frame is not carried out.
    Run(DisplayStream().Code(0x1D));
    EXPECT_EQ(record_.cursorPosition, 1);
    Run(DisplayStream().AllClear().Code(0x08).Code(5).Code('A').Code('B'));
    EXPECT_EQ(Line1(), kSpaces);
    EXPECT_EQ(record_.cursorPosition, 0);
}

TEST_F(DisplayInterpreterTest, EmptyOrOverlongTextWritesNothing) {
    Run(DisplayStream().AllClear().Char("").Char(std::string(57, 'x')).End());
    EXPECT_EQ(Line1(), kSpaces);
    EXPECT_EQ(record_.cursorPosition, 0);
}

TEST_F(DisplayInterpreterTest, ALineLongerThanItsOutputIsCutTo49Bytes) {
    Run(DisplayStream().AllClear().LowerClear().Char(std::string(56, 'a')).End());
    EXPECT_EQ(Line2(), std::string(49, 'a'));
    EXPECT_EQ(record_.cursorPosition, 72);
}

TEST_F(DisplayInterpreterTest, KoreanDoubleByteTextIsCutAtACharacterBoundary) {
    const ScopedUserLanguage korean("ko_KR.UTF-8", 949);
    if (!korean.active()) GTEST_SKIP() << "the user's code page is not 949";
    LogCapture log;
    Run(DisplayStream().AllClear().DoubleChar(kKoreanHello).End());
    EXPECT_EQ(Line1(), kKoreanHello + std::string(14, ' '));
    EXPECT_TRUE(log.Contains("LCD MSG 2CHAR [4][" + kKoreanHello + "] = pos[0]"));

    std::string thirty;
    for (int i = 0; i < 30; ++i) thirty += "\xB0\xA1";
    Run(DisplayStream().LowerClear().DoubleChar(thirty).End());
    EXPECT_EQ(Line2(), thirty.substr(0, 48));
    EXPECT_EQ(record_.cursorPosition, 46);
}

TEST_F(DisplayInterpreterTest, TheCharacterSetIsChosenAfreshAtEveryConversion) {
    {
        const ScopedUserLanguage russian("ru_RU.UTF-8", 20866);
        if (!russian.active()) GTEST_SKIP() << "the user's language is not Russian";
        Run(DisplayStream().UpperClear().Char(kRussianHello).End());
        EXPECT_EQ(Line1(), kRussianHello);
    }
    const ScopedUserLanguage korean("ko_KR.UTF-8", 949);
    if (!korean.active()) GTEST_SKIP() << "the user's code page is not 949";
    Run({0x00});
    EXPECT_EQ(Line1(), kRussianHelloIn949);
}

}  // namespace
}  // namespace korven
