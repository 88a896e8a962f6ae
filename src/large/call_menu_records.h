// Records of registration responses, call state, menus, keys and phone
// database 0.
#pragma once

#include <cstdint>

#include "KorvenSignalLib.h"

// One slot of the soft-menu table, indexed by menu id.
struct SoftMenuSlot {
    uint8_t MenuID;
    char Label[13];
    char terminator;  // always 0: the getter hands out Label and this byte
};

// Phone database 0 of one system type: the layout the application reads
// and the payload from b12 as the PBX sent it, which KORVEN_WidePhoneDB0
// sends back under the layout. Sized for the larger, KORVENHOST, format.
struct PhoneDb0Store {
    uint8_t layout[KORVEN_PHONE_DB0_KORVENHOST_SIZE];
    uint8_t payload[200];
};

struct CallMenuRecords {
    tagSTSOFTVERSIONCHECK versionCheck;
    int initialEndId;

    int callResponse;
    int callStatus;
    tagSTSOFTIDLEINFO idleInfo;
    tagSTSOFTCALLNUMBER callNumber;
    tagSTSOFTDIALNUMBER dialNumber;

    char optionDisplay[10][16];
    char programMessages[20][16];  // program message k at index k - 1
    SoftMenuSlot softMenus[256];
    tagSTSOFTSOFTTLIST softList;
    tagSTSOFTPROGKEY programKeys;
    int programKeyCount;  // keys stored by the current set, 0 to 100

    PhoneDb0Store phoneDb0[2];  // indexed by system type
};
