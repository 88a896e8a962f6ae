// Records of registration responses, call state, menus, keys and phone
// database 0.
#pragma once

struct CallMenuRecords {
};
