// Records decoded from the PBX's Large messages, kept in the state object.
#pragma once

#include <cstdint>

#include "large/call_menu_records.h"
#include "large/group_message_records.h"

struct LargeRecords {
    // The IAP registration block of LARGE_VERS_CHECK: the station tag at
    // offsets 32-33, the destination address text at offset 52.
    uint8_t iapRegistration[68] = {};
    CallMenuRecords callMenu;
    GroupMessageRecords groupMessage;
};
