#include "large/event_process_large.h"

namespace korven {

const LargeRouteList kRegistrationRoutes{nullptr, 0};

}  // namespace korven
