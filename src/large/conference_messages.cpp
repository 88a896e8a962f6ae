#include "large/event_process_large.h"

namespace korven {

const LargeRouteList kConferenceRoutes{nullptr, 0};

}  // namespace korven
