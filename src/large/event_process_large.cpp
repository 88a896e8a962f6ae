#include "large/event_process_large.h"

#include <array>

#include "core/app_state.h"
#include "large/large_handler_steps.h"
#include "transport/frame_router.h"

namespace korven {
namespace {

constexpr int kLastLargeId = 162;

// Messages whose whole handling is the notification.
const LargeRoute kNotificationOnly[] = {
    {15, "ParseLargeVDialNumber", nullptr},    {28, "ParseLargeConfTrans", nullptr},
    {29, "ParseLargeIdleScreen", nullptr},     {41, "ParseLargeSMSText", nullptr},
    {52, "ParseLargeCallDisconnect", nullptr}, {53, "ParseLargeMissedCall", nullptr},
    {55, "ParseLargeSpotChoice", nullptr},     {57, "ParseLargeSpotInfo", nullptr},
    {89, "ParseLargeVideoUpdate", nullptr},
};

using RouteIndex = std::array<const LargeRoute*, kLastLargeId + 1>;

RouteIndex BuildRouteIndex() {
    RouteIndex index{};
    const LargeRouteList lists[] = {
        RoutesOf(kNotificationOnly), kRegistrationRoutes, kCallStateRoutes, kMenuKeyRoutes, kPhoneDatabaseRoutes,
        kConferenceRoutes,           kIndicatorRoutes,    kTextSmsRoutes,   kMediaRoutes,   kSystemLinkRoutes};
    for (const LargeRouteList& list : lists) {
        for (size_t i = 0; i < list.count; ++i) index[list.routes[i].id] = &list.routes[i];
    }
    return index;
}

}  // namespace

const LargeRoute* FindLargeRoute(int id) {
    static const RouteIndex index = BuildRouteIndex();
    if (id < 0 || id > kLastLargeId) return nullptr;
    return index[static_cast<size_t>(id)];
}

}  // namespace korven

void CEventProcessLarge::Process(const korven::FrameReader& frame) {
    const int id = frame.u8(11);
    const korven::LargeRoute* route = korven::FindLargeRoute(id);
    if (route == nullptr) return;
    const korven::LargeMessage message{*app_, id, frame};
    if (route->handler != nullptr) {
        route->handler(message);
    } else if (korven::HasAppWindow(*app_, route->handlerName)) {
        korven::NotifyLarge(message, route->handlerName);
    }
}

void ProcessLargeFrame(CKorvenSignalLibApp& app, const korven::FrameReader& frame) {
    CEventProcessLarge process(&app);
    process.Process(frame);
}
