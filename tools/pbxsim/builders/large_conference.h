// Conference messages as the PBX sends them: groups (24), start (22),
// status (26), end (23) and transfer (28).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pbxsim/builders/large_group_fields.h"

namespace korven::pbxsim {

struct ConfGroupEntry {
    std::array<std::string, 4> members;  // digits, at most 22 each
    std::string name;                    // at most 16 bytes
};

struct ConfGroupFields {
    System system = System::KorvenHost;
    std::array<ConfGroupEntry, 5> groups = {{{{"2001", "2002", "2003", ""}, "Sales"}}};
};

// Start and status share their layout.
struct ConfMembersFields {
    System system = System::KorvenHost;
    uint8_t confCode = 1;
    std::array<std::string, 4> members = {"2001", "2002", "", ""};
    std::array<uint8_t, 4> memberInfo = {1, 1, 0, 0};
};

struct ConfEndFields {
    System system = System::KorvenHost;
    uint8_t confCode = 1;
    std::string member = "2001";
};

Bytes LargeConfGroup(const ConfGroupFields& fields);
Bytes LargeConfStart(const ConfMembersFields& fields);
Bytes LargeConfStatus(const ConfMembersFields& fields);
Bytes LargeConfEnd(const ConfEndFields& fields);
Bytes LargeConfTrans(System system = System::KorvenHost);

}  // namespace korven::pbxsim
