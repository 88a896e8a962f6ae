// Records of conference, indicator, text/SMS/executive-secretary, media
// and system messages.
#pragma once

struct GroupMessageRecords {
};
