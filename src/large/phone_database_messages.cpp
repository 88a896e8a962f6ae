#include "large/event_process_large.h"

namespace korven {

const LargeRouteList kPhoneDatabaseRoutes{nullptr, 0};

}  // namespace korven
