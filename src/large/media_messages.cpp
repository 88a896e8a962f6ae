#include "large/event_process_large.h"

namespace korven {

const LargeRouteList kMediaRoutes{nullptr, 0};

}  // namespace korven
