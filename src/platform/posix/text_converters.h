// Library-internal control of the converters the POSIX text codec keeps.
#pragma once

namespace korven::platform::posix {

// Closes the converters kept for reuse. At unload, once the library's own
// threads have ended; a later conversion opens new ones.
void ReleaseTextConverters();

}  // namespace korven::platform::posix
