// Helpers shared by the conference, indicator, text/SMS, media and system
// message handlers: typed decoding of their field layouts into group
// records, one-layout handlers, record getters and log text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

#include "large/field_layout.h"
#include "large/large_handler_steps.h"
#include "transport/frame_reader.h"

namespace korven {

// Decodes the fields into record from the frame, each at base + offset.
template <size_t N, class Record>
void DecodeFields(const Field (&fields)[N], const FrameReader& frame, size_t base, Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>);
    Decode(LayoutOf(fields), frame, reinterpret_cast<uint8_t*>(&record), base);
}

// Clears the record, then decodes the layout into it from the frame's start.
template <size_t N, class Record>
void DecodeRecord(const Field (&fields)[N], const FrameReader& frame, Record& record) {
    std::memset(&record, 0, sizeof record);
    DecodeFields(fields, frame, 0, record);
}

// The handler of a message whose whole decoding is one layout into one
// record of the group records: window check, DecodeRecord, notification and
// "++>[MESSAGE] : <Name>".
template <const char* Name, auto Group, auto Record, const auto& Layout>
void ParseRecordLayout(const LargeMessage& message) {
    static_assert(IsSound(LayoutOf(Layout), sizeof(std::declval<GroupMessageRecords&>().*Group.*Record)));
    RunLargeHandler(message, Name, [](LargeRecords& records, const FrameReader& frame) {
        DecodeRecord(Layout, frame, records.groupMessage.*Group.*Record);
    });
}

// The bytes of a fixed-width field up to its first zero, for log lines
// (line breaks written as \r and \n).
std::string FieldText(const void* field, size_t width);

// A getter that copies one record of the group records whole into *out
// (11000 for a null out, besides the common getter failures).
template <class Out, class Group, class Record>
int CopyOutRecord(const char* name, ServedSystems served, Out* out, Group GroupMessageRecords::*group,
                  Record Group::*record) {
    static_assert(std::is_same_v<Out, char> || sizeof(Record) == sizeof(Out));
    return RunLargeRecordGetter(name, served, out, [group, record](const LargeRecords& records, Out& target) {
        std::memcpy(&target, &(records.groupMessage.*group.*record), sizeof(Record));
    });
}

}  // namespace korven
