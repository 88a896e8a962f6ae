// Error response, link test, gatekeeper restart, database update and phone
// database 5 (ids 62, 54, 160, 162, 84 and 125).
#include <cstddef>

#include "large/event_process_large.h"
#include "large/group_message_fields.h"

namespace korven {
namespace {

using PhoneDB5 = tagSTSOFTPHONEDB5;

constexpr Field kErrorRespLayout[] = {
    {offsetof(tagSTSOFTERRORRESP, OrgMsgID), 1, 12, Codec::Raw},
    {offsetof(tagSTSOFTERRORRESP, ErrorID), 1, 13, Codec::Raw},
};

constexpr Field kDBUpdateLayout[] = {{0, KORVEN_DB_UPDATE_ID_SIZE, 12, Codec::Raw}};

constexpr Field kPhoneDB5KorvenhostLayout[] = {
    {offsetof(PhoneDB5, MMSAddr), sizeof(PhoneDB5::MMSAddr), 24, Codec::Dotted},
    {offsetof(PhoneDB5, MMSPort), 4, 28, Codec::Be16},
    {offsetof(PhoneDB5, IMPSAddr), sizeof(PhoneDB5::IMPSAddr), 46, Codec::Dotted},
    {offsetof(PhoneDB5, IMPSPort), 4, 50, Codec::Be16},
};

constexpr Field kPhoneDB5IapLayout[] = {
    {offsetof(PhoneDB5, Name), sizeof(PhoneDB5::Name), 12, Codec::Raw},
    {offsetof(PhoneDB5, MMSPort), 4, 60, Codec::Be16},
    {offsetof(PhoneDB5, IMPSPort), 4, 82, Codec::Be16},
};

// An IAP server address whose first byte is 0xFF is absent; the address at
// the fallback position stands in for it.
struct IapAddress {
    Field field;
    uint16_t fallbackOffset;
};
constexpr IapAddress kIapAddresses[] = {
    {{offsetof(PhoneDB5, MMSAddr), sizeof(PhoneDB5::MMSAddr), 56, Codec::Dotted}, 44},
    {{offsetof(PhoneDB5, IMPSAddr), sizeof(PhoneDB5::IMPSAddr), 78, Codec::Dotted}, 66},
};
constexpr uint8_t kAbsentAddress = 0xFF;

static_assert(IsSound(LayoutOf(kErrorRespLayout), sizeof(tagSTSOFTERRORRESP)));
static_assert(IsSound(LayoutOf(kPhoneDB5KorvenhostLayout), sizeof(PhoneDB5)));
static_assert(IsSound(LayoutOf(kPhoneDB5IapLayout), sizeof(PhoneDB5)));
static_assert(IsSound({&kIapAddresses[0].field, 1}, sizeof(PhoneDB5)) &&
              IsSound({&kIapAddresses[1].field, 1}, sizeof(PhoneDB5)));

void DecodeIapPhoneDB5(PhoneDB5& record, const FrameReader& frame) {
    DecodeRecord(kPhoneDB5IapLayout, frame, record);
    for (const IapAddress& address : kIapAddresses) {
        Field field = address.field;
        if (frame.u8(field.offset) == kAbsentAddress) field.offset = address.fallbackOffset;
        Decode({&field, 1}, frame, reinterpret_cast<uint8_t*>(&record));
    }
    WriteLog("[ParseLargePhoneDB5_IAP] : Name[%s], MMSAddr - %s[%d], IMPSAddr -%s[%d]",
             FieldText(record.Name, sizeof record.Name).c_str(),
             FieldText(record.MMSAddr, sizeof record.MMSAddr).c_str(), record.MMSPort,
             FieldText(record.IMPSAddr, sizeof record.IMPSAddr).c_str(), record.IMPSPort);
}

void DecodeKorvenhostPhoneDB5(PhoneDB5& record, const FrameReader& frame) {
    DecodeRecord(kPhoneDB5KorvenhostLayout, frame, record);
    WriteLog("[ParseLargePhoneDB5] : MMSAddr - %s[%d], IMPSAddr -%s[%d]",
             FieldText(record.MMSAddr, sizeof record.MMSAddr).c_str(), record.MMSPort,
             FieldText(record.IMPSAddr, sizeof record.IMPSAddr).c_str(), record.IMPSPort);
}

// Both ids; the layout follows the configured system type, not the id.
void ParseLargePhoneDB5(const LargeMessage& message) {
    const bool iap = message.app.IsIap();
    RunLargeHandler(message, "ParseLargePhoneDB5", [iap](LargeRecords& records, const FrameReader& frame) {
        PhoneDB5& record = records.groupMessage.systemLink.phoneDB5;
        if (iap) {
            DecodeIapPhoneDB5(record, frame);
        } else {
            DecodeKorvenhostPhoneDB5(record, frame);
        }
    });
}

void ParseLargeErrorResp(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeErrorResp", [](LargeRecords& records, const FrameReader& frame) {
        WriteLog("ParseLargeErrorResp: OrgMsgID[%02x], ErrorID[%02x]", frame.u8(12), frame.u8(13));
        DecodeRecord(kErrorRespLayout, frame, records.groupMessage.systemLink.errorResp);
    });
}

constexpr char kDBUpdate[] = "ParseLargeDBUpdate";

// The link test and the gatekeeper restart carry nothing: like the other
// notification-only messages they have no handler function.
const LargeRoute kRows[] = {
    {54, "ParseLargeLinkTest", nullptr},
    {62, "ParseLargeErrorResp", ParseLargeErrorResp},
    {84, "ParseLargePhoneDB5", ParseLargePhoneDB5},
    {125, "ParseLargePhoneDB5", ParseLargePhoneDB5},
    {160, "ParseLargeGKRestart", nullptr},
    {162, kDBUpdate,
     ParseRecordLayout<kDBUpdate, &GroupMessageRecords::systemLink, &SystemLinkRecords::dbUpdateId, kDBUpdateLayout>},
};

}  // namespace

const LargeRouteList kSystemLinkRoutes = RoutesOf(kRows);

}  // namespace korven

int KORVEN_GetLargeSystemErrorResponse(tagSTSOFTERRORRESP* out) {
    return korven::CopyOutRecord("KORVEN_GetLargeSystemErrorResponse", korven::ServedSystems::Both, out,
                                 &GroupMessageRecords::systemLink, &SystemLinkRecords::errorResp);
}

int KORVEN_GetLargeDBUpdateID(char* out) {
    return korven::RunLargeGetterWithEndLine(
        "KORVEN_GetLargeDBUpdateID", korven::ServedSystems::IapOnly,
        [out](const LargeRecords& records) {
            const SystemLinkRecords& systemLink = records.groupMessage.systemLink;
            std::memcpy(out, systemLink.dbUpdateId, sizeof systemLink.dbUpdateId);
            return 0;
        },
        [out](int) {
            WriteLog("[FN-END]KORVEN_GetLargeDBUpdateID : ID[%s]",
                     korven::FieldText(out, KORVEN_DB_UPDATE_ID_SIZE).c_str());
        },
        out == nullptr);
}

int KORVEN_GetLargePhoneDB5(tagSTSOFTPHONEDB5* out) {
    return korven::CopyOutRecord("KORVEN_GetLargePhoneDB5", korven::ServedSystems::Both, out,
                                 &GroupMessageRecords::systemLink, &SystemLinkRecords::phoneDB5);
}
