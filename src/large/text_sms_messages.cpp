#include "large/event_process_large.h"

namespace korven {

const LargeRouteList kTextSmsRoutes{nullptr, 0};

}  // namespace korven
