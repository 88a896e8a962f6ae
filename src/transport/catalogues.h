// Log names of the message ids of the three frame classes.
#pragma once

namespace korven {

constexpr int kNormalCatalogueSize = 72;
constexpr int kLargeCatalogueSize = 163;
constexpr int kWideCatalogueSize = 126;

// Name of a message id of the class, or its placeholder for an unnamed id
// ("--%02d" Normal, "-- %d" Large, "--%d" / "-%d" from 100 Wide). The text
// lives as long as the program. nullptr for an id outside the catalogue.
const char* NormalMessageName(int id);
const char* LargeMessageName(int id);
const char* WideMessageName(int id);

}  // namespace korven
