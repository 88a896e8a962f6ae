// The Large dispatcher: one object per received Large frame, which runs the
// handler of the frame's message id.
#pragma once

#include <cstdint>

#include "transport/frame_reader.h"

class CKorvenSignalLibApp;

namespace korven {

// What a handler gets: the state object, the message id (b11, which becomes
// WPARAM) and the frame from b0, readable only within the bytes received.
struct LargeMessage {
    CKorvenSignalLibApp& app;
    int id;
    const FrameReader& frame;
};

using LargeHandler = void (*)(const LargeMessage&);

// One row of the dispatch table. A null handler marks a notification-only
// message: the dispatcher checks the window and notifies, nothing is decoded.
struct LargeRoute {
    uint8_t id;
    const char* handlerName;
    LargeHandler handler;
};

struct LargeRouteList {
    const LargeRoute* routes;
    size_t count;
};

template <size_t N>
constexpr LargeRouteList RoutesOf(const LargeRoute (&routes)[N]) {
    return {routes, N};
}

// The route lists of each group of messages, defined beside their handlers.
extern const LargeRouteList kRegistrationRoutes;
extern const LargeRouteList kCallStateRoutes;
extern const LargeRouteList kMenuKeyRoutes;
extern const LargeRouteList kPhoneDatabaseRoutes;
extern const LargeRouteList kConferenceRoutes;
extern const LargeRouteList kIndicatorRoutes;
extern const LargeRouteList kTextSmsRoutes;
extern const LargeRouteList kMediaRoutes;
extern const LargeRouteList kSystemLinkRoutes;

// The route of an id, or null for an id the library ignores.
const LargeRoute* FindLargeRoute(int id);

}  // namespace korven

class CEventProcessLarge {
public:
    explicit CEventProcessLarge(CKorvenSignalLibApp* app) : app_(app) {}
    virtual ~CEventProcessLarge() = default;

    // Runs the handler of the frame's id (b11); ids without one are ignored
    // silently.
    void Process(const korven::FrameReader& frame);

private:
    CKorvenSignalLibApp* app_;
};
