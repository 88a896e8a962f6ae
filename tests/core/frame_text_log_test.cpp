#include "core/frame_text_log.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "pbxsim/builders/display_painter.h"
#include "pbxsim/builders/large_call_state.h"
#include "pbxsim/builders/large_menu_key.h"
#include "pbxsim/builders/large_system_link.h"
#include "support/log_capture.h"
#include "support/test_window.h"
#include "transport/packet_parser.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

// Line breaks of every kind in a text short enough for any text field.
const std::string kBreaks = "X\r\nY\nZ\rW";
const std::string kEscaped = "X\\r\\nY\\nZ\\rW";

TEST(FrameTextForLog, WritesLineBreaksAsEscapesAndKeepsEveryOtherByte) {
    const std::string text = "a\r\n[12:00:00:00] b\x01\xB0\xA1\t\\r";
    EXPECT_EQ(FrameTextForLog(text.data(), text.size()), "a\\r\\n[12:00:00:00] b\x01\xB0\xA1\t\\r");
}

// A frame whose text carries the line breaks, what the application then
// reads (its getter's end line logs the text too), and how many log lines
// show the text.
struct LoggedText {
    const char* what;
    System system;
    std::function<Bytes()> frame;
    std::function<void()> read;
    size_t lines;
};

void FetchDBUpdateId() {
    char id[KORVEN_DB_UPDATE_ID_SIZE];
    EXPECT_EQ(KORVEN_GetLargeDBUpdateID(id), 0);
}

void FetchDisplay() {
    char line1[KORVEN_LCD_LINE_SIZE], line2[KORVEN_LCD_LINE_SIZE];
    int cursorOn = 0, cursorPosition = 0;
    EXPECT_EQ(KORVEN_GetNormalPhoneLCDDisp(line1, line2, &cursorOn, &cursorPosition), 0);
}

Bytes CallerNamed(const std::string& name) {
    CallNumberFields fields;
    fields.name = fields.didName = name;
    return LargeCallNumber(fields);
}

Bytes StationNamed(const std::string& name) {
    PhoneDB5Fields fields;
    fields.system = System::Iap;
    fields.name = name;
    return LargePhoneDB5(fields);
}

// One row per way frame text reaches the log: the Large handlers' text
// fields, a handler with a line of its own, a getter's end line and the
// display interpreter.
const LoggedText kLoggedTexts[] = {
    {"soft menu label", System::KorvenHost,
     [] {
         return LargeSoftMenu({System::KorvenHost, 0xFF, {{1, kBreaks}}});
     },
     nullptr, 1},
    {"caller name and DID name", System::KorvenHost, [] { return CallerNamed(kBreaks); }, nullptr, 1},
    {"station name", System::Iap, [] { return StationNamed(kBreaks); }, nullptr, 1},
    {"database update id", System::Iap,
     [] {
         return LargeDBUpdate({System::Iap, kBreaks});
     },
     FetchDBUpdateId, 1},
    // The traces of the positioning command (the stream behind it) and of the
    // writing command, the decoded line, and the line twice more when read.
    {"display text", System::KorvenHost,
     [] {
         return DisplayFrame({kBreaks, "", false, 0});
     },
     FetchDisplay, 5},
};

TEST(FrameTextForLog, NoFrameTextBreaksALogLine) {
    TestWindow window;
    for (const LoggedText& row : kLoggedTexts) {
        SCOPED_TRACE(row.what);
        const int systemType = row.system == System::Iap ? KORVEN_SYSTEM_IAP : KORVEN_SYSTEM_KORVENHOST;
        ASSERT_EQ(KORVEN_Init(window.handle(), systemType, KORVEN_LISTEN_PHONEIF_CALLBACK), 0);
        ASSERT_EQ(KORVEN_SetWindowMessageType(KORVEN_WINDOW_MESSAGE_SEND), 0);
        LogCapture log;
        const Bytes frame = row.frame();
        {
            std::lock_guard<std::mutex> guard(theApp().parserLock);
            RecvPacketParser(theApp(), frame.data(), frame.size());
        }
        if (row.read) row.read();
        size_t shown = 0;
        for (const std::string& message : log.Messages()) {
            EXPECT_EQ(message.find_first_of("\r\n"), std::string::npos) << message;
            shown += message.find(kEscaped) != std::string::npos;
        }
        EXPECT_EQ(shown, row.lines);
    }
    theApp().appWindow = nullptr;
}

}  // namespace
}  // namespace korven::test
