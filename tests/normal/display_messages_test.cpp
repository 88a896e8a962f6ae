#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "normal/normal_fixture.h"
#include "normal/user_language.h"
#include "pbxsim/builders/display_painter.h"
#include "pbxsim/builders/normal_messages.h"
#include "support/log_capture.h"

namespace korven::test {
namespace {

using pbxsim::DisplayFrame;
using pbxsim::DisplayPicture;
using pbxsim::DisplayStream;

class DisplayMessagesTest : public NormalTest {};

struct Display {
    std::string line1, line2;
    int cursorOn = -1, cursorPos = -1;
};

Display Fetch() {
    char line1[KORVEN_LCD_LINE_SIZE], line2[KORVEN_LCD_LINE_SIZE];
    Display display;
    EXPECT_EQ(0, KORVEN_GetNormalPhoneLCDDisp(line1, line2, &display.cursorOn, &display.cursorPos));
    display.line1 = line1;
    display.line2 = line2;
    return display;
}

std::string Padded(const std::string& text, size_t characters) { return text + std::string(16 - characters, ' '); }

TEST_F(DisplayMessagesTest, APaintedPictureComesBackThroughTheGetter) {
    LogCapture paintLog;
    Feed(DisplayFrame({"HELLO", "WORLD", true, 3}));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{NORMAL_DGP_LCD});
    EXPECT_EQ(paintLog.Messages().back(), "++>[MESSAGE] : ParseNormalDgpLcd");

    LogCapture log;
    const Display display = Fetch();
    EXPECT_EQ(display.line1, Padded("HELLO", 5));
    EXPECT_EQ(display.line2, Padded("WORLD", 5));
    EXPECT_EQ(display.cursorOn, 1);
    EXPECT_EQ(display.cursorPos, 3);
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{
                  "[FN-BEGIN]KORVEN_GetNormalPhoneLCDDisp",
                  "LCD Line 1 : [" + display.line1 + "]",
                  "LCD Line 2 : [" + display.line2 + "]",
                  "LCD Cursor[ON], CursorPos[3]",
                  "[FN-END]KORVEN_GetNormalPhoneLCDDisp : Line1[" + display.line1 + "], Line2[" + display.line2 + "]",
              }));
    EXPECT_EQ(KORVEN_GetErrorCode(), 0);
}

TEST_F(DisplayMessagesTest, WithoutWindowTheDisplayAndItsWritePositionStay) {
    Feed(DisplayFrame({"KEEP", "", false, 4}));
    {
        const WithoutWindow noWindow;
        LogCapture log;
        Feed(pbxsim::NormalDgpLcd(DisplayStream().AllClear().Position(9).Char("LOST").End().bytes()));
        EXPECT_EQ(log.Messages(), std::vector<std::string>{"ParseNormalDgpLcd : Invalid App Hwnd"});
    }
    EXPECT_EQ(Fetch().line1, Padded("KEEP", 4));
    Feed(pbxsim::NormalDgpLcd(DisplayStream().Char("!").End().bytes()));
    EXPECT_EQ(Fetch().line1, Padded("KEEP!", 5));
    EXPECT_EQ(Notified(), (std::vector<WPARAM>{NORMAL_DGP_LCD, NORMAL_DGP_LCD}));
}

TEST_F(DisplayMessagesTest, AStreamWithoutEndIsShownAndNotified) {
    Feed(pbxsim::NormalDgpLcd(DisplayStream().AllClear().Char("CUT").bytes()));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{NORMAL_DGP_LCD});
    EXPECT_EQ(Fetch().line1, Padded("CUT", 3));
}

TEST_F(DisplayMessagesTest, TheGetterRefusesBeforeInitAndWithAMissingOutput) {
    char line1[KORVEN_LCD_LINE_SIZE] = "untouched", line2[KORVEN_LCD_LINE_SIZE];
    int on = 0, pos = 0;
    {
        const BeforeInit beforeInit;
        LogCapture log;
        EXPECT_EQ(-1, KORVEN_GetNormalPhoneLCDDisp(line1, line2, &on, &pos));
        EXPECT_EQ(log.Messages(), std::vector<std::string>{"[FN-BEGIN]KORVEN_GetNormalPhoneLCDDisp"});
        EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_NOT_INITIALISED);
        EXPECT_STREQ(line1, "untouched");
    }
    EXPECT_EQ(-1, KORVEN_GetNormalPhoneLCDDisp(nullptr, line2, &on, &pos));
    EXPECT_EQ(-1, KORVEN_GetNormalPhoneLCDDisp(line1, nullptr, &on, &pos));
    EXPECT_EQ(-1, KORVEN_GetNormalPhoneLCDDisp(line1, line2, nullptr, &pos));
    EXPECT_EQ(-1, KORVEN_GetNormalPhoneLCDDisp(line1, line2, &on, nullptr));
    EXPECT_EQ(KORVEN_GetErrorCode(), KORVEN_ERR_INVALID_ARGUMENT);
    EXPECT_STREQ(line1, "untouched");
}

TEST_F(DisplayMessagesTest, TheApplicationThreadReadsWholeDisplaysWhileTheDispatchThreadPaints) {
    theApp().windowMessageType = 1;
    const std::string lines[] = {std::string(16, 'A'), std::string(16, 'B')};
    const std::string before = Fetch().line1;
    constexpr size_t kFrames = 200;
    for (size_t i = 0; i < kFrames; ++i) {
        std::vector<uint8_t> frame = DisplayFrame({lines[i % 2], lines[i % 2], false, 0});
        ASSERT_EQ(0, KORVEN_DispatchRecvLawPacket(frame.data(), static_cast<int>(frame.size())));
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Notified().size() < kFrames && std::chrono::steady_clock::now() < deadline) {
        const Display display = Fetch();
        if (display.line1 != before) {
            EXPECT_TRUE(display.line1 == lines[0] || display.line1 == lines[1]) << display.line1;
            EXPECT_EQ(display.line1, display.line2);
        }
        TestWindow::Pump();
        std::this_thread::yield();
    }
    EXPECT_EQ(Notified().size(), kFrames);
}

TEST_F(DisplayMessagesTest, KoreanTextRoundTripsInCodePage949) {
    const ScopedUserLanguage korean("ko_KR.UTF-8", 949);
    if (!korean.active()) GTEST_SKIP() << "the user's code page is not 949";
    const std::string hello = "\xBE\xC8\xB3\xE7\xC7\xCF\xBC\xBC\xBF\xE4";  // five characters
    Feed(DisplayFrame({hello, "\xB0\xA1", false, 0}));
    const Display display = Fetch();
    EXPECT_EQ(display.line1, Padded(hello, 5));
    EXPECT_EQ(display.line2, Padded("\xB0\xA1", 1));
}

TEST_F(DisplayMessagesTest, RussianTextRoundTripsInKoi8R) {
    const ScopedUserLanguage russian("ru_RU.UTF-8", platform::kCodePageKoi8R);
    if (!russian.active()) GTEST_SKIP() << "the user's language is not Russian";
    const std::string hello = "\xF0\xD2\xC9\xD7\xC5\xD4";  // six characters
    Feed(DisplayFrame({hello, "", true, 6}));
    const Display display = Fetch();
    EXPECT_EQ(display.line1, Padded(hello, 6));
    EXPECT_EQ(display.cursorPos, 6);
}

}  // namespace
}  // namespace korven::test
