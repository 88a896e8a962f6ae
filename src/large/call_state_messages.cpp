#include "large/event_process_large.h"

namespace korven {

const LargeRouteList kCallStateRoutes{nullptr, 0};

}  // namespace korven
