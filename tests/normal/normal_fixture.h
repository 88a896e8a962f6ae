// An initialised library with a test window, fed Normal frames directly.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "support/test_window.h"
#include "transport/frame_reader.h"
#include "transport/frame_router.h"

namespace korven::test {

class NormalTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, KORVEN_Init(window_.handle(), KORVEN_SYSTEM_KORVENHOST, 1));
        theApp().windowMessageType = 0;
    }

    // As the receive path hands a Normal frame over.
    static void Feed(const std::vector<uint8_t>& frame) {
        ProcessNormalFrame(theApp(), FrameReader(frame.data(), frame.size()));
    }

    std::vector<WPARAM> Notified() const { return window_.idsOf(TestWindow::NormalEventMessage()); }

    TestWindow window_;
};

// Clears the application window for the scope.
class WithoutWindow {
public:
    WithoutWindow() : saved_(theApp().appWindow.exchange(nullptr)) {}
    ~WithoutWindow() { theApp().appWindow = saved_; }
    WithoutWindow(const WithoutWindow&) = delete;
    WithoutWindow& operator=(const WithoutWindow&) = delete;

private:
    void* saved_;
};

// Marks the library uninitialised for the scope.
class BeforeInit {
public:
    BeforeInit() : saved_(theApp().initialised.exchange(0)) {}
    ~BeforeInit() { theApp().initialised = saved_; }
    BeforeInit(const BeforeInit&) = delete;
    BeforeInit& operator=(const BeforeInit&) = delete;

private:
    int saved_;
};

}  // namespace korven::test
