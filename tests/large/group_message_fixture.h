// Common ground of the conference, indicator, text/SMS, media and system
// message tests: a library initialised on a test window, frames fed straight
// to the Large dispatcher, and getters checked for writing past their
// record.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "support/log_capture.h"
#include "support/test_window.h"
#include "transport/frame_reader.h"
#include "transport/frame_router.h"

namespace korven::test {

class GroupMessageTest : public ::testing::Test {
protected:
    void TearDown() override { theApp().appWindow = nullptr; }

    // Settings that other tests may have changed are put back: notifications
    // are sent (so they are recorded at once) and the log is on.
    void Init(int systemType) {
        ASSERT_EQ(KORVEN_Init(window_.handle(), systemType, KORVEN_LISTEN_PHONEIF_CALLBACK), 0);
        ASSERT_EQ(KORVEN_SetWindowMessageType(KORVEN_WINDOW_MESSAGE_SEND), 0);
        ASSERT_EQ(KORVEN_SetLogLevel(1), 0);
        window_.clear();
    }

    static void Feed(const std::vector<uint8_t>& frame) {
        ProcessLargeFrame(theApp(), FrameReader(frame.data(), frame.size()));
    }

    // Feeds the frame with the application window unset.
    static void FeedWithoutWindow(const std::vector<uint8_t>& frame) {
        void* window = theApp().appWindow.exchange(nullptr);
        Feed(frame);
        theApp().appWindow = window;
    }

    std::vector<WPARAM> Notified() const { return window_.idsOf(TestWindow::LargeEventMessage()); }

    TestWindow window_;
};

constexpr uint8_t kGuard = 0xA5;
constexpr size_t kGuardBytes = 16;

// The record a getter copies out; fails the test if the getter does not
// succeed or writes past the record.
template <class Record, class Getter>
Record Fetch(Getter getter) {
    struct {
        Record record;
        uint8_t guard[kGuardBytes];
    } out;
    std::memset(&out, kGuard, sizeof out);
    EXPECT_EQ(getter(&out.record), 0);
    for (uint8_t byte : out.guard) EXPECT_EQ(byte, kGuard) << "written past the record";
    return out.record;
}

// The same for a getter of size untyped bytes.
template <class Getter>
std::vector<uint8_t> FetchBytes(Getter getter, size_t size) {
    std::vector<uint8_t> out(size + kGuardBytes, kGuard);
    EXPECT_EQ(getter(reinterpret_cast<char*>(out.data())), 0);
    for (size_t i = size; i < out.size(); ++i) EXPECT_EQ(out[i], kGuard) << "written past the record";
    out.resize(size);
    return out;
}

// A fixed-width text field as a string of exactly its width.
template <size_t N>
std::string Field(const char (&field)[N]) {
    return std::string(field, N);
}

// digits zero-filled to width characters.
inline std::string Digits(const std::string& digits, size_t width) {
    std::string field = digits;
    field.resize(width, '\0');
    return field;
}

}  // namespace korven::test
