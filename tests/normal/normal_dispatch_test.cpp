#include <string>
#include <vector>

#include "normal/normal_fixture.h"
#include "pbxsim/builders/normal_messages.h"
#include "support/log_capture.h"

namespace korven::test {
namespace {

using pbxsim::NormalFrame;

class NormalDispatch : public NormalTest {};

struct Route {
    uint8_t id;
    const char* handler;
};

constexpr Route kRoutes[] = {
    {15, "ParseNormalDgpDate"}, {16, "ParseNormalDuration"},   {18, "ParseNormalDgpMsg"},   {19, "ParseNormalDgpLcd"},
    {20, "ParseNormalDgpTone"}, {22, "ParseNormalDgpBRing"},   {23, "ParseNormalDgpBTone"}, {24, "ParseNormalDgpRing"},
    {25, "ParseNormalDgpInst"}, {34, "ParseNormalDgpRingLED"}, {37, "ParseNormalPageAll"},  {71, "ParseNormalDspValue"},
};

TEST_F(NormalDispatch, EachHandledIdNotifiesItsIdAndEndsWithItsHandlersLine) {
    for (const Route& route : kRoutes) {
        SCOPED_TRACE(route.handler);
        window_.clear();
        LogCapture log;
        Feed(NormalFrame(route.id, std::vector<uint8_t>(20, 0)));
        EXPECT_EQ(Notified(), std::vector<WPARAM>{route.id});
        ASSERT_FALSE(log.Messages().empty());
        EXPECT_EQ(log.Messages().back(), std::string("++>[MESSAGE] : ") + route.handler);
    }
}

TEST_F(NormalDispatch, IdsWithoutHandlerAreDroppedSilently) {
    for (uint8_t id : {0, 14, 17, 21, 26, 62, 70, 72, 255}) {
        SCOPED_TRACE(id);
        LogCapture log;
        Feed(NormalFrame(id, {3, 2, 2, 2}));
        EXPECT_TRUE(log.Messages().empty());
        EXPECT_TRUE(Notified().empty());
    }
}

TEST_F(NormalDispatch, WithoutWindowEachHandlerWritesOnlyItsInvalidWindowLine) {
    const WithoutWindow noWindow;
    for (const Route& route : kRoutes) {
        SCOPED_TRACE(route.handler);
        LogCapture log;
        Feed(NormalFrame(route.id, std::vector<uint8_t>(20, 1)));
        EXPECT_EQ(log.Messages(), std::vector<std::string>{std::string(route.handler) + " : Invalid App Hwnd"});
    }
    EXPECT_TRUE(Notified().empty());
}

TEST_F(NormalDispatch, PostModeQueuesTheNotification) {
    theApp().windowMessageType = 1;
    Feed(NormalFrame(NORMAL_DGPINST, {}));
    EXPECT_TRUE(Notified().empty());
    TestWindow::Pump();
    EXPECT_EQ(Notified(), std::vector<WPARAM>{NORMAL_DGPINST});
}

}  // namespace
}  // namespace korven::test
