#include "transport/message_queue.h"

#include <gtest/gtest.h>

#include <future>
#include <vector>

namespace {

using Frame = std::vector<uint8_t>;

TEST(MessageQueue, KeepsPrivateCopiesInArrivalOrder) {
    CMessageQueue queue;
    Frame first = {1, 2, 3};
    const Frame second = {4};
    queue.Push(first.data(), first.size());
    queue.Push(second.data(), second.size());
    first[0] = 9;

    Frame taken;
    ASSERT_TRUE(queue.WaitTake(taken));
    EXPECT_EQ(taken, (Frame{1, 2, 3}));
    // The event stays set while copies remain: no second Push needed.
    ASSERT_TRUE(queue.WaitTake(taken));
    EXPECT_EQ(taken, second);
}

TEST(MessageQueue, OneWakeUpServesEveryQueuedFrame) {
    CMessageQueue queue;
    const Frame frame = {7};
    for (int i = 0; i < 3; ++i) queue.Push(frame.data(), frame.size());
    Frame taken;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(queue.WaitTake(taken));
    // Nothing left: the event is reset, so a wait blocks until woken.
    auto waiting = std::async(std::launch::async, [&] { return queue.WaitTake(taken); });
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    queue.Wake();
    EXPECT_FALSE(waiting.get());
}

TEST(MessageQueue, NullFrameSetsTheEventWithoutQueueing) {
    CMessageQueue queue;
    queue.Push(nullptr, 5);
    Frame taken;
    EXPECT_FALSE(queue.WaitTake(taken));
}

TEST(MessageQueue, RemoveAllDropsCopiesAndResetsTheEvent) {
    CMessageQueue queue;
    const Frame frame = {1};
    queue.Push(frame.data(), frame.size());
    queue.RemoveAll();
    queue.Wake();
    Frame taken;
    EXPECT_FALSE(queue.WaitTake(taken));
}

}  // namespace
