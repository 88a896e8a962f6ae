// LARGE_INITIAL_END and LARGE_VERS_CHECK: the PBX's answers to the
// registration, and on IAP the registration record every later frame needs.
#include <algorithm>
#include <cstddef>

#include "large/field_layout.h"
#include "large/large_handler_steps.h"

namespace korven {
namespace {

constexpr size_t kIapRegistrationPos = 12;
constexpr size_t kRealPortPos = 32;
constexpr size_t kCountryCodePos = 34;
constexpr size_t kAliveLinkTimePos = 36;
constexpr uint8_t kUnknownCountryIndex = 1;

constexpr Field kKorvenhostVersionFields[] = {
    {offsetof(tagSTSOFTVERSIONCHECK, Result), 1, 12, Codec::Raw},
    {offsetof(tagSTSOFTVERSIONCHECK, Digits), 8, 22, Codec::Bcd},
    {offsetof(tagSTSOFTVERSIONCHECK, SignalType), 1, 36, Codec::Raw},
};
constexpr Field kIapVersionFields[] = {
    {offsetof(tagSTSOFTVERSIONCHECK, Result), 1, 42, Codec::Raw},
    {offsetof(tagSTSOFTVERSIONCHECK, Digits), 8, 22, Codec::Bcd},
    {offsetof(tagSTSOFTVERSIONCHECK, SignalType), 1, 39, Codec::Raw},
};
static_assert(IsSound(LayoutOf(kKorvenhostVersionFields), sizeof(tagSTSOFTVERSIONCHECK)));
static_assert(IsSound(LayoutOf(kIapVersionFields), sizeof(tagSTSOFTVERSIONCHECK)));

struct Country {
    uint16_t code;
    uint8_t index;
    const char* name;
};

// What each system type knows of the country codes; any other code is
// stored as Korean.
struct CountryTable {
    const Country* countries;
    size_t count;
    const char* logName;
    const char* unknownName;
};

constexpr Country kKorvenhostCountries[] = {
    {0x1FFF, 0, "ENGLISH"}, {0x39FF, 2, "ITALIAN"}, {0x49FF, 4, "ITALIAN"}, {0x82FF, 1, "KOREAN"}};
constexpr Country kIapCountries[] = {{0x1FFF, 0, "ENGLISH"}, {0x82FF, 1, "KOREAN"}};

template <size_t N>
constexpr CountryTable TableOf(const Country (&countries)[N], const char* logName, const char* unknownName) {
    return {countries, N, logName, unknownName};
}

constexpr CountryTable kKorvenhostCountryTable = TableOf(kKorvenhostCountries, "ParseLargeVerCheck", "UNKNOWN");
constexpr CountryTable kIapCountryTable = TableOf(kIapCountries, "ParseLargeVerCheckIAP", "UNKNOWN:KOREAN");

void SetCountry(tagSTSOFTVERSIONCHECK& record, uint16_t code, const CountryTable& table) {
    const Country* end = table.countries + table.count;
    const Country* found = std::find_if(table.countries, end, [code](const Country& c) { return c.code == code; });
    record.CountryCode = found != end ? found->index : kUnknownCountryIndex;
    WriteLog("%s: COUNTRY CODE[--%s--]", table.logName, found != end ? found->name : table.unknownName);
}

const char* SignalTypeName(uint8_t signalType) {
    static const char* const kNames[] = {"UDP", "TCP", "TLS"};
    return signalType < 3 ? kNames[signalType] : kNames[0];
}

uint8_t* BytesOf(tagSTSOFTVERSIONCHECK& record) { return reinterpret_cast<uint8_t*>(&record); }

void DecodeKorvenhostVersion(tagSTSOFTVERSIONCHECK& record, const FrameReader& frame) {
    Decode(LayoutOf(kKorvenhostVersionFields), frame, BytesOf(record));
    record.RealPort = frame.be16(kRealPortPos);
    WriteLog("======= ParseLargeVerCheck: Result[%d], SignalType[%d][%s], RealPort[%d]", record.Result,
             record.SignalType, SignalTypeName(record.SignalType), record.RealPort);
    SetCountry(record, frame.be16(kCountryCodePos), kKorvenhostCountryTable);
}

// The IAP record keeps its own byte order: the country code arrives low
// byte first.
void DecodeIapVersion(CKorvenSignalLibApp& app, LargeRecords& records, const FrameReader& frame) {
    tagSTSOFTVERSIONCHECK& record = records.callMenu.versionCheck;
    frame.bytes(kIapRegistrationPos, records.iapRegistration, sizeof records.iapRegistration);
    Decode(LayoutOf(kIapVersionFields), frame, BytesOf(record));
    WriteLog("ParseLargeVerCheckIAP: Result[%d], SignalType[%d][%s]", record.Result, record.SignalType,
             SignalTypeName(record.SignalType));
    app.aliveLinkTime = frame.be16(kAliveLinkTimePos);
    const auto code = static_cast<uint16_t>(frame.u8(kCountryCodePos) | frame.u8(kCountryCodePos + 1) << 8);
    SetCountry(record, code, kIapCountryTable);
}

void ParseLargeInitialEnd(const LargeMessage& message) {
    RunLargeHandler(message, "ParseLargeInitialEnd", [](LargeRecords& records, const FrameReader& frame) {
        records.callMenu.initialEndId = frame.u8(12);
    });
}

void ParseLargeVerCheck(const LargeMessage& message) {
    CKorvenSignalLibApp& app = message.app;
    RunLargeHandler(message, "ParseLargeVerCheck", [&app](LargeRecords& records, const FrameReader& frame) {
        records.callMenu.versionCheck = tagSTSOFTVERSIONCHECK{};
        if (app.IsIap()) {
            DecodeIapVersion(app, records, frame);
        } else {
            DecodeKorvenhostVersion(records.callMenu.versionCheck, frame);
        }
    });
}

const LargeRoute kRows[] = {
    {0, "ParseLargeInitialEnd", ParseLargeInitialEnd},
    {1, "ParseLargeVerCheck", ParseLargeVerCheck},
};

}  // namespace

const LargeRouteList kRegistrationRoutes = RoutesOf(kRows);

}  // namespace korven

int KORVEN_GetLargeVersionCheck(tagSTSOFTVERSIONCHECK* out) {
    return korven::RunLargeRecordGetter(
        "KORVEN_GetLargeVersionCheck", korven::ServedSystems::Both, out,
        [](const LargeRecords& records, tagSTSOFTVERSIONCHECK& target) { target = records.callMenu.versionCheck; });
}

int KORVEN_GetLargeInitialEndID() {
    return korven::RunLargeGetterWithEndLine(
        "KORVEN_GetLargeInitialEndID", korven::ServedSystems::Both,
        [](const LargeRecords& records) { return records.callMenu.initialEndId; },
        [](int id) { WriteLog("[FN-END]KORVEN_GetLargeInitialEndID : ID[%d]", id); });
}
