#include "large/event_process_large.h"

namespace korven {

const LargeRouteList kIndicatorRoutes{nullptr, 0};

}  // namespace korven
