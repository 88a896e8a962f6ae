// Menu, key and option display messages as the PBX sends them: option
// display (13), program messages (14), soft menus (17), soft list (18),
// program keys (19) and the idle screen (29), which carries only its id.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "large_group_fields.h"

namespace korven::pbxsim {

struct OnOffDispFields {
    System system = System::KorvenHost;
    std::array<std::string, 10> texts = {"Call forward", "Do not disturb", "Absence", "Wake-up call"};
};

// The PBX sends messages 1 to 10 with first = 1, then 11 to 20 with
// first = 11.
struct ProgramMsgFields {
    System system = System::KorvenHost;
    uint8_t first = 1;
    std::array<std::string, 10> texts = {"At lunch", "In a meeting", "On holiday"};
};

// One 18-byte entry of a soft-menu or program-key frame: the id, a byte not
// read, the label.
struct LabelEntry {
    uint8_t id;
    std::string label;
};

// Frames carry the entries given, 18 bytes each from b14; a full frame has
// 16.
struct SoftMenuFields {
    System system = System::KorvenHost;
    uint8_t marker = 0xFF;  // 0xFF in the last frame of a set
    std::vector<LabelEntry> entries = {{1, "Transfer"}, {2, "Conference"}, {3, "Hold"}};
};

struct SoftListFields {
    System system = System::KorvenHost;
    uint8_t count = 3;
    std::vector<uint8_t> entries = {1, 2, 3};
};

// A key id 0xFF ends the set.
struct ProgKeyFields {
    System system = System::KorvenHost;
    uint8_t marker = 0;  // 0 in the first frame of a set
    std::vector<LabelEntry> keys = {{1, "Line 1"}, {2, "Park"}, {0xFF, ""}};
};

Bytes LargeOnOffDisp(const OnOffDispFields& fields);
Bytes LargeProgramMsg(const ProgramMsgFields& fields);
Bytes LargeSoftMenu(const SoftMenuFields& fields);
Bytes LargeSoftList(const SoftListFields& fields);
Bytes LargeProgKey(const ProgKeyFields& fields);
Bytes LargeIdleScreen(System system = System::KorvenHost);

}  // namespace korven::pbxsim
