// Records decoded from the PBX's Normal messages.
#pragma once

struct NormalRecords {
};
