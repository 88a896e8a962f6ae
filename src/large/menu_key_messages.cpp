// LARGE_ONOFF_DISP, LARGE_PROGRAM_MSG, LARGE_SOFT_MENU, LARGE_SOFT_LIST and
// LARGE_PROG_KEY: what the softphone shows on its option display, menus and
// keys.
//
// The program-message, soft-menu and program-key tables accumulate over
// several frames, so an entry that a short frame did not bring in full is
// left out rather than stored as zeros over what an earlier frame set.
#include <algorithm>
#include <cstring>

#include "large/group_message_fields.h"
#include "large/large_handler_steps.h"

namespace korven {
namespace {

constexpr size_t kTextWidth = 16;
constexpr size_t kOptionDisplayPos = 12;
constexpr size_t kOptionEntries = 10;

constexpr size_t kFirstProgramMessagePos = 12;
constexpr size_t kProgramMessagesPos = 14;
constexpr int kProgramMessagesPerFrame = 10;
constexpr int kProgramMessageCount = 20;
constexpr int kLastProgramMessageFrame = 11;

// Soft menus and program keys: 16 entries of 18 bytes from b14; byte 0 the
// id, the label from byte 2.
constexpr size_t kSetMarkerPos = 12;
constexpr size_t kEntriesPos = 14;
constexpr size_t kEntrySize = 18;
constexpr size_t kEntriesPerFrame = 16;
constexpr size_t kLabelOffset = 2;
constexpr uint8_t kLastSoftMenuFrame = 0xFF;
constexpr uint8_t kFirstProgKeyFrame = 0;
constexpr uint8_t kProgKeySetEnd = 0xFF;
constexpr int kProgKeyCapacity = 100;

constexpr size_t kSoftListCountPos = 13;
constexpr size_t kSoftListPos = 14;
constexpr uint8_t kSoftListCapacity = 20;

constexpr size_t EntryPos(size_t i) { return kEntriesPos + i * kEntrySize; }

void ParseLargeOnOffDisp(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeOnOffDisp", [](LargeRecords& records, const FrameReader& frame) {
        auto& table = records.callMenu.optionDisplay;
        for (size_t i = 0; i < kOptionEntries; ++i) {
            frame.bytes(kOptionDisplayPos + kTextWidth * i, reinterpret_cast<uint8_t*>(table[i]), kTextWidth);
            WriteLog("ParseLargeOnOffDisp[%d] : [%s]", static_cast<int>(i), FieldText(table[i], kTextWidth).c_str());
        }
    });
}

// Messages 1 to 10 arrive with b12 = 1, 11 to 20 with b12 = 11; only the
// second frame completes the table.
void ParseLargeProgramMsg(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeProgramMsg", [](LargeRecords& records, const FrameReader& frame) {
        const int first = frame.u8(kFirstProgramMessagePos);
        for (int i = 0; i < kProgramMessagesPerFrame; ++i) {
            const size_t pos = kProgramMessagesPos + kTextWidth * static_cast<size_t>(i);
            if (!frame.has(pos, kTextWidth)) break;
            char text[kTextWidth];
            frame.bytes(pos, reinterpret_cast<uint8_t*>(text), kTextWidth);
            const int number = first + i;
            if (number >= 1 && number <= kProgramMessageCount) {
                std::memcpy(records.callMenu.programMessages[number - 1], text, kTextWidth);
            }
            WriteLog("Program message id=%d [%s]", first, FieldText(text, kTextWidth).c_str());
        }
        return first == kLastProgramMessageFrame;
    });
}

void ParseLargeSoftMenu(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeSoftMenu", [](LargeRecords& records, const FrameReader& frame) {
        for (size_t i = 0; i < kEntriesPerFrame; ++i) {
            if (!frame.has(EntryPos(i), kLabelOffset + sizeof(SoftMenuSlot::Label))) break;
            const uint8_t id = frame.u8(EntryPos(i));
            SoftMenuSlot& slot = records.callMenu.softMenus[id];
            slot.MenuID = id;
            frame.bytes(EntryPos(i) + kLabelOffset, reinterpret_cast<uint8_t*>(slot.Label), sizeof slot.Label);
            WriteLog("Soft menu id=%d, [%s]", id, FieldText(slot.Label, sizeof slot.Label).c_str());
        }
        return frame.u8(kSetMarkerPos) == kLastSoftMenuFrame;
    });
}

void ParseLargeSoftList(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeSoftList", [](LargeRecords& records, const FrameReader& frame) {
        tagSTSOFTSOFTTLIST& list = records.callMenu.softList;
        list = tagSTSOFTSOFTTLIST{};
        list.Count = std::min(frame.u8(kSoftListCountPos), kSoftListCapacity);
        frame.bytes(kSoftListPos, list.List, list.Count);
        WriteLog("[ParseLargeSoftList] Soft list count[%d]", list.Count);
    });
}

// A set starts with b12 = 0 and ends at the key id 0xFF or when the table is
// full; a frame of 16 keys without either leaves the set open.
bool AppendProgKeys(CallMenuRecords& records, const FrameReader& frame) {
    if (frame.u8(kSetMarkerPos) == kFirstProgKeyFrame) {
        records.programKeys = tagSTSOFTPROGKEY{};
        records.programKeyCount = 0;
    }
    for (size_t i = 0; i < kEntriesPerFrame; ++i) {
        if (!frame.has(EntryPos(i), kLabelOffset + sizeof(tagSTSOFTPROGKEY::Entry::Text))) return false;
        tagSTSOFTPROGKEY::Entry entry;
        entry.KeyID = frame.u8(EntryPos(i));
        if (entry.KeyID == kProgKeySetEnd || records.programKeyCount == kProgKeyCapacity) return true;
        frame.bytes(EntryPos(i) + kLabelOffset, reinterpret_cast<uint8_t*>(entry.Text), sizeof entry.Text);
        records.programKeys.Keys[records.programKeyCount++] = entry;
        WriteLog("Program key id=%d [%s]", entry.KeyID, FieldText(entry.Text, sizeof entry.Text).c_str());
    }
    return false;
}

void ParseLargeProgKey(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeProgKey", [](LargeRecords& records, const FrameReader& frame) {
        return AppendProgKeys(records.callMenu, frame);
    });
}

const LargeRoute kRows[] = {
    {13, "ParseLargeOnOffDisp", ParseLargeOnOffDisp}, {14, "ParseLargeProgramMsg", ParseLargeProgramMsg},
    {17, "ParseLargeSoftMenu", ParseLargeSoftMenu},   {18, "ParseLargeSoftList", ParseLargeSoftList},
    {19, "ParseLargeProgKey", ParseLargeProgKey},
};

constexpr int kLastMenuId = 255;

}  // namespace

const LargeRouteList kMenuKeyRoutes = RoutesOf(kRows);

}  // namespace korven

int KORVEN_GetLargeAddOnOffOptionDisp(char* out) {
    return korven::RunLargeRecordGetter("KORVEN_GetLargeAddOnOffOptionDisp", korven::ServedSystems::KorvenhostOnly, out,
                                        [](const LargeRecords& records, char& target) {
                                            std::memcpy(&target, records.callMenu.optionDisplay,
                                                        sizeof records.callMenu.optionDisplay);
                                        });
}

int KORVEN_GetLargeAbsentProgramMsg(char* out) {
    return korven::RunLargeRecordGetter("KORVEN_GetLargeAbsentProgramMsg", korven::ServedSystems::Both, out,
                                        [](const LargeRecords& records, char& target) {
                                            std::memcpy(&target, records.callMenu.programMessages,
                                                        sizeof records.callMenu.programMessages);
                                        });
}

// A menu id outside 0 to 255 names no slot: refused with 11000.
int KORVEN_GetLargeSoftMenuDisplay(int menuId, char* out) {
    const bool knownMenu = menuId >= 0 && menuId <= korven::kLastMenuId;
    return korven::RunLargeGetter(
        "KORVEN_GetLargeSoftMenuDisplay", korven::ServedSystems::Both,
        [menuId, out](const LargeRecords& records) {
            const SoftMenuSlot& slot = records.callMenu.softMenus[menuId];
            std::memcpy(out, slot.Label, sizeof slot.Label);
            out[sizeof slot.Label] = slot.terminator;
            return 0;
        },
        out == nullptr || !knownMenu);
}

int KORVEN_GetLargeSoftList(tagSTSOFTSOFTTLIST* out) {
    return korven::RunLargeRecordGetter(
        "KORVEN_GetLargeSoftList", korven::ServedSystems::Both, out,
        [](const LargeRecords& records, tagSTSOFTSOFTTLIST& target) { target = records.callMenu.softList; });
}

int KORVEN_GetLargeProgramKey(tagSTSOFTPROGKEY* out) {
    return korven::RunLargeRecordGetter(
        "KORVEN_GetLargeProgramKey", korven::ServedSystems::Both, out,
        [](const LargeRecords& records, tagSTSOFTPROGKEY& target) { target = records.callMenu.programKeys; });
}
