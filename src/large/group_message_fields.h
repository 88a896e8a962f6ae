// Fixed record layouts of the conference, indicator, text/SMS, media and
// system messages as data: where each record field comes from in the frame
// and how it travels. One walker decodes them all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "large/large_handler_steps.h"
#include "transport/frame_reader.h"

namespace korven {

enum class FieldCodec : uint8_t {
    Raw,     // width bytes as received
    Digits,  // width / 2 packed-BCD bytes as up to width digit characters
    Dotted,  // four bytes as "%d.%d.%d.%d", zero-terminated within width
    Be16,    // two big-endian bytes as a 32-bit int (width 4)
};

struct RecordField {
    uint16_t framePos;   // from the layout's base in the frame
    uint16_t recordPos;  // from the start of the record
    uint16_t width;      // bytes of the record field
    FieldCodec codec;
};

// Fills the record field from the frame bytes at base + field.framePos.
// Writes exactly the field's width bytes of record, nothing outside them;
// frame bytes not received read as zero.
void DecodeField(const RecordField& field, const FrameReader& frame, size_t base, uint8_t* record);

template <size_t N, class Record>
void DecodeFields(const RecordField (&fields)[N], const FrameReader& frame, size_t base, Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>);
    for (const RecordField& field : fields) DecodeField(field, frame, base, reinterpret_cast<uint8_t*>(&record));
}

// Clears the record, then decodes the layout into it from the frame's start.
template <size_t N, class Record>
void DecodeRecord(const RecordField (&fields)[N], const FrameReader& frame, Record& record) {
    std::memset(&record, 0, sizeof record);
    DecodeFields(fields, frame, 0, record);
}

// The handler of a message whose whole decoding is one layout into one
// record of the group records: window check, DecodeRecord, notification and
// "++>[MESSAGE] : <Name>".
template <const char* Name, auto Group, auto Record, const auto& Layout>
void ParseRecordLayout(const LargeMessage& message) {
    RunLargeHandler(message, Name, [](LargeRecords& records, const FrameReader& frame) {
        DecodeRecord(Layout, frame, records.groupMessage.*Group.*Record);
    });
}

// The bytes of a fixed-width field up to its first zero, for log lines.
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
