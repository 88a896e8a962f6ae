#include "large_menu_key.h"

#include <algorithm>

namespace korven::pbxsim {
namespace {

constexpr size_t kTextWidth = 16;
constexpr size_t kEntrySize = 18;

Bytes TextTable(const std::array<std::string, 10>& texts) {
    Bytes table;
    for (const std::string& text : texts) {
        const Bytes field = TextBytes(text, kTextWidth);
        table.insert(table.end(), field.begin(), field.end());
    }
    return table;
}

Bytes LabelEntries(const std::vector<LabelEntry>& entries, size_t labelWidth) {
    Bytes bytes;
    for (const LabelEntry& entry : entries) {
        Bytes field(kEntrySize, 0);
        field[0] = entry.id;
        const Bytes label = TextBytes(entry.label, labelWidth);
        std::copy(label.begin(), label.end(), field.begin() + 2);
        bytes.insert(bytes.end(), field.begin(), field.end());
    }
    return bytes;
}

}  // namespace

Bytes LargeOnOffDisp(const OnOffDispFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 13);
    frame.SetBytes(12, TextTable(fields.texts));
    return frame.Frame();
}

Bytes LargeProgramMsg(const ProgramMsgFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 14);
    frame.SetBytes(12, {fields.first, 0});
    frame.SetBytes(14, TextTable(fields.texts));
    return frame.Frame();
}

Bytes LargeSoftMenu(const SoftMenuFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 17);
    frame.SetBytes(12, {fields.marker, 0});
    frame.SetBytes(14, LabelEntries(fields.entries, 13));
    return frame.Frame();
}

Bytes LargeSoftList(const SoftListFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 18);
    frame.SetBytes(12, {0, fields.count});
    frame.SetBytes(14, fields.entries);
    return frame.Frame();
}

Bytes LargeProgKey(const ProgKeyFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 19);
    frame.SetBytes(12, {fields.marker, 0});
    frame.SetBytes(14, LabelEntries(fields.keys, 16));
    return frame.Frame();
}

Bytes LargeIdleScreen(System system) { return LargeNotice(system, 29); }

}  // namespace korven::pbxsim
