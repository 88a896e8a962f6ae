#include "large/event_process_large.h"

namespace korven {

const LargeRouteList kMenuKeyRoutes{nullptr, 0};

}  // namespace korven
