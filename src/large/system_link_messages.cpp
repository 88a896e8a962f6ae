#include "large/event_process_large.h"

namespace korven {

const LargeRouteList kSystemLinkRoutes{nullptr, 0};

}  // namespace korven
