// LARGE_CALL_RESP, LARGE_CALL_STATUS, LARGE_IDLE_STATUS, LARGE_CALL_NUMBER
// and LARGE_DIAL_NUMBER: how the softphone's calls stand.
#include <cstddef>
#include <string>

#include "large/field_layout.h"
#include "large/group_message_fields.h"
#include "large/large_handler_steps.h"
#include "transport/frame_header.h"

namespace korven {
namespace {

// LARGE_IDLE_STATUS carries the e-mail count only in the 20-byte KORVENHOST
// form.
constexpr size_t kIdleStatusWithEmail = 20;
constexpr size_t kEmailCountPos = 18;
constexpr Field kIdleFields[] = {{offsetof(tagSTSOFTIDLEINFO, DNDMode), 4, 13, Codec::Raw}};
static_assert(IsSound(LayoutOf(kIdleFields), offsetof(tagSTSOFTIDLEINFO, EmailCount)));

// Call and dial numbers: the fields every frame carries, then those that
// only a frame of at least minLength bytes carries.
constexpr Field kNumberFields[] = {
    {offsetof(tagSTSOFTCALLNUMBER, Number), 16, 16, Codec::Bcd},
    {offsetof(tagSTSOFTCALLNUMBER, Name), 16, 24, Codec::Raw},
    {offsetof(tagSTSOFTCALLNUMBER, TrunkType), 2, 40, Codec::Raw},
};
// The DID number field holds 16 packed bytes of which only the first 16
// digits are kept, so only its first 8 bytes are decoded; likewise the
// first 32 digits of the extended name.
constexpr Field kDidFields[] = {
    {offsetof(tagSTSOFTCALLNUMBER, szDIDNumber), 16, 42, Codec::Bcd},
    {offsetof(tagSTSOFTCALLNUMBER, szDIDName), 16, 58, Codec::Raw},
};
constexpr Field kCallNameExFields[] = {{offsetof(tagSTSOFTCALLNUMBER, szCallNameEx), 32, 74, Codec::Bcd}};

struct LengthGatedLayout {
    size_t minLength;
    FieldLayout layout;
};

constexpr LengthGatedLayout kNumberLayouts[] = {
    {0, LayoutOf(kNumberFields)},
    {74, LayoutOf(kDidFields)},
    {108, LayoutOf(kCallNameExFields)},
};
static_assert(IsSound(LayoutOf(kNumberFields), sizeof(tagSTSOFTCALLNUMBER)));
static_assert(IsSound(LayoutOf(kDidFields), sizeof(tagSTSOFTCALLNUMBER)));
static_assert(IsSound(LayoutOf(kCallNameExFields), sizeof(tagSTSOFTCALLNUMBER)));

constexpr size_t kCallIdPos = 12;

int32_t LittleEndian32(const FrameReader& frame, size_t pos) {
    const uint32_t value = frame.u8(pos) | frame.u8(pos + 1) << 8 | frame.u8(pos + 2) << 16 |
                           static_cast<uint32_t>(frame.u8(pos + 3)) << 24;
    return static_cast<int32_t>(value);
}

// Clears the record, then fills it by the frame length of b4-b5.
size_t DecodeNumber(tagSTSOFTCALLNUMBER& record, const FrameReader& frame) {
    const size_t length = frame.be16(kTotalLengthPos);
    record = tagSTSOFTCALLNUMBER{};
    for (const LengthGatedLayout& gated : kNumberLayouts) {
        if (length >= gated.minLength) Decode(gated.layout, frame, reinterpret_cast<uint8_t*>(&record));
    }
    record.ID = LittleEndian32(frame, kCallIdPos);
    return length;
}

// The log lines show each text up to its first zero byte.
struct NumberTexts {
    std::string number, name, didNumber, didName, callNameEx;
    explicit NumberTexts(const tagSTSOFTCALLNUMBER& r)
        : number(FieldText(r.Number, sizeof r.Number)),
          name(FieldText(r.Name, sizeof r.Name)),
          didNumber(FieldText(r.szDIDNumber, sizeof r.szDIDNumber)),
          didName(FieldText(r.szDIDName, sizeof r.szDIDName)),
          callNameEx(FieldText(r.szCallNameEx, sizeof r.szCallNameEx)) {}
};

void ParseLargeCallResp(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeCallResp", [](LargeRecords& records, const FrameReader& frame) {
        records.callMenu.callResponse = frame.u8(12);
    });
}

void ParseLargeCallStatus(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeCallStatus", [](LargeRecords& records, const FrameReader& frame) {
        records.callMenu.callStatus = frame.u8(12);
    });
}

void ParseLargeIdleStatus(const LargeMessage& message) {
    const bool iap = message.app.IsIap();
    RunLargeHandler(message, "ParseLargeIdleStatus", [iap](LargeRecords& records, const FrameReader& frame) {
        tagSTSOFTIDLEINFO& info = records.callMenu.idleInfo;
        info = tagSTSOFTIDLEINFO{};
        Decode(LayoutOf(kIdleFields), frame, reinterpret_cast<uint8_t*>(&info));
        const size_t length = frame.be16(kTotalLengthPos);
        if (!iap && length == kIdleStatusWithEmail) {
            info.EmailCount = frame.u8(kEmailCountPos);
            WriteLog(
                "ParseLargeIdleStatus [nLen=%3d] -- DNDMode[%02x], AbsenceMode[%02x], TaviCount[%02x], "
                "StationCount[%02x], E-mailCount[%02x]",
                static_cast<int>(length), info.DNDMode, info.AbsenceMode, info.TaviCount, info.StationCount,
                info.EmailCount);
        } else {
            WriteLog(
                "ParseLargeIdleStatus [nLen=%3d] -- DNDMode[%02x], AbsenceMode[%02x], TaviCount[%02x], "
                "StationCount[%02x]",
                static_cast<int>(length), info.DNDMode, info.AbsenceMode, info.TaviCount, info.StationCount);
        }
    });
}

void LogCallNumber(int length, const tagSTSOFTCALLNUMBER& r, const NumberTexts& t) {
    WriteLog(
        "Call_Number : (Len-%d) ID[%d], Number [%s], Name[%s], TrunkType[%02x %02x], DID Number[%s], "
        "DID Name[%s], szCallNameEx[%s]",
        length, r.ID, t.number.c_str(), t.name.c_str(), r.TrunkType[0], r.TrunkType[1], t.didNumber.c_str(),
        t.didName.c_str(), t.callNameEx.c_str());
}

void LogDialNumber(int length, const tagSTSOFTCALLNUMBER& r, const NumberTexts& t) {
    WriteLog(
        "ParseLargeDialNumber : (Len-%d) ID[%d], Number [%s], Name[%s], TrunkType[%02x %02x], "
        "szDIDNumber[%s], szDIDName[%s], szCallNameEx[%s]",
        length, r.ID, t.number.c_str(), t.name.c_str(), r.TrunkType[0], r.TrunkType[1], t.didNumber.c_str(),
        t.didName.c_str(), t.callNameEx.c_str());
}

// The call and dial numbers share their decoding; each has its own record
// and log line.
struct NumberMessage {
    const char* name;
    tagSTSOFTCALLNUMBER& (*record)(CallMenuRecords&);
    void (*log)(int length, const tagSTSOFTCALLNUMBER&, const NumberTexts&);
};

constexpr NumberMessage kCallNumber = {
    "ParseLargeCallNumber", [](CallMenuRecords& r) -> tagSTSOFTCALLNUMBER& { return r.callNumber; }, LogCallNumber};
constexpr NumberMessage kDialNumber = {
    "ParseLargeDialNumber", [](CallMenuRecords& r) -> tagSTSOFTCALLNUMBER& { return r.dialNumber; }, LogDialNumber};

void ParseNumber(const LargeMessage& message, const NumberMessage& kind) {
    RunLargeHandler(message, kind.name, [&kind](LargeRecords& records, const FrameReader& frame) {
        tagSTSOFTCALLNUMBER& record = kind.record(records.callMenu);
        const size_t length = DecodeNumber(record, frame);
        kind.log(static_cast<int>(length), record, NumberTexts(record));
    });
}

void ParseLargeCallNumber(const LargeMessage& message) { ParseNumber(message, kCallNumber); }
void ParseLargeDialNumber(const LargeMessage& message) { ParseNumber(message, kDialNumber); }

const LargeRoute kRows[] = {
    {2, "ParseLargeCallResp", ParseLargeCallResp},     {3, "ParseLargeCallStatus", ParseLargeCallStatus},
    {4, "ParseLargeIdleStatus", ParseLargeIdleStatus}, {5, "ParseLargeCallNumber", ParseLargeCallNumber},
    {7, "ParseLargeDialNumber", ParseLargeDialNumber},
};

}  // namespace

const LargeRouteList kCallStateRoutes = RoutesOf(kRows);

}  // namespace korven

int KORVEN_GetLargeCallResponseStatus() {
    return korven::RunLargeGetter("KORVEN_GetLargeCallResponseStatus", korven::ServedSystems::Both,
                                  [](const LargeRecords& records) { return records.callMenu.callResponse; });
}

int KORVEN_GetLargeCallStatus() {
    return korven::RunLargeGetter("KORVEN_GetLargeCallStatus", korven::ServedSystems::Both,
                                  [](const LargeRecords& records) { return records.callMenu.callStatus; });
}

int KORVEN_GetLargeIdleStatusInfo(tagSTSOFTIDLEINFO* out) {
    return korven::RunLargeRecordGetter(
        "KORVEN_GetLargeIdleStatusInfo", korven::ServedSystems::Both, out,
        [](const LargeRecords& records, tagSTSOFTIDLEINFO& target) { target = records.callMenu.idleInfo; });
}

int KORVEN_GetLargeCallNumber(tagSTSOFTCALLNUMBER* out) {
    return korven::RunLargeRecordGetter(
        "KORVEN_GetLargeCallNumber", korven::ServedSystems::Both, out,
        [](const LargeRecords& records, tagSTSOFTCALLNUMBER& target) { target = records.callMenu.callNumber; });
}

int KORVEN_GetLargeDialNumber(tagSTSOFTDIALNUMBER* out) {
    return korven::RunLargeRecordGetter(
        "KORVEN_GetLargeDialNumber", korven::ServedSystems::Both, out,
        [](const LargeRecords& records, tagSTSOFTDIALNUMBER& target) { target = records.callMenu.dialNumber; });
}
