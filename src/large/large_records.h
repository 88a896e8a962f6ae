// Records decoded from the PBX's Large messages.
#pragma once

struct LargeRecords {
};
