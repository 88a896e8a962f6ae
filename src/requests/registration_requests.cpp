// Registration and keep-alive: KORVEN_WidePhoneStart, KORVEN_WideInitialReq,
// KORVEN_WideInitialEnd and KORVEN_WideLinkTest.
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <random>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "requests/message_pumping.h"
#include "requests/request_sequence.h"
#include "transport/dotted_ipv4.h"
#include "transport/frame_reader.h"
#include "transport/udp_endpoint.h"

namespace {

using korven::ErrorOnSuccess;
using korven::HeaderForm;
using korven::RequestTraits;
using korven::SendPath;

constexpr RequestTraits kPhoneStart{"KORVEN_WidePhoneStart", 1, HeaderForm::D, SendPath::Stored};
constexpr RequestTraits kInitialReq{"KORVEN_WideInitialReq", 2, HeaderForm::C, SendPath::Iap, ErrorOnSuccess::Keep};
constexpr RequestTraits kInitialEnd{"KORVEN_WideInitialEnd", 39, HeaderForm::B, SendPath::Iap, ErrorOnSuccess::Keep};
constexpr RequestTraits kLinkTest{"KORVEN_WideLinkTest", 54, HeaderForm::C, SendPath::Stored};

constexpr size_t kFrameBufferSize = 316;
constexpr size_t kMinSendIpText = 7;
// Record offset of the byte that LARGE_VERS_CHECK carried in frame byte 38.
constexpr size_t kLinkTestRecordByte = 26;
constexpr unsigned kLinkTestPortKorvenHost = 9000;
constexpr unsigned kLinkTestPortIap = 6000;

// Where the bytes of a payload field come from.
enum class Source : uint8_t {
    Constant,    // the field's own byte
    SendIp,      // 4 bytes
    LocalIp,     // 4 bytes
    Mac,         // 6 bytes
    UserId,      // 16 bytes: the 8 stored bytes, then 8 zero bytes
    Password,    // 8 bytes: up to the first zero byte, space-padded
    StationTag,  // 2 bytes, in arrival order
    RecordByte,  // the IAP registration byte read by the link test
    TurnFlag,    // 0 on a signal-port link-test turn, 1 on a port-9000 turn
};

struct PayloadField {
    uint8_t position;
    Source source;
    uint8_t constant;
};

struct Layout {
    const PayloadField* fields;
    size_t count;
    uint16_t length;
};

template <size_t N>
constexpr Layout MakeLayout(const PayloadField (&fields)[N], uint16_t length) {
    return {fields, N, length};
}

// Bytes the tables do not name are 0x00.
constexpr PayloadField kPhoneStartKorvenHost[] = {
    {12, Source::Constant, 0x03}, {13, Source::Constant, 0x01}, {14, Source::SendIp, 0},
    {18, Source::LocalIp, 0},     {22, Source::Mac, 0},         {30, Source::UserId, 0},
    {46, Source::Password, 0},    {54, Source::Constant, 0x63}, {55, Source::Constant, 0x01},
};
constexpr PayloadField kPhoneStartIap[] = {
    {14, Source::SendIp, 0},   {18, Source::LocalIp, 0},     {22, Source::Mac, 0},         {30, Source::UserId, 0},
    {46, Source::Password, 0}, {54, Source::Constant, 0x72}, {55, Source::Constant, 0x01}, {56, Source::Password, 0},
    {64, Source::Password, 0}, {72, Source::Constant, 0x17}, {73, Source::Constant, 0x70}, {74, Source::Constant, 0x01},
    {76, Source::UserId, 0},
};
constexpr PayloadField kInitialReqPayload[] = {{12, Source::Constant, 0xE4}};
// Byte 12 has no value of its own; the PBX is sent 0x00.
constexpr PayloadField kInitialEndPayload[] = {{12, Source::Constant, 0x00}};
constexpr PayloadField kLinkTestKorvenHost[] = {
    {12, Source::Constant, 0x01}, {13, Source::Constant, 0x01}, {14, Source::Mac, 0}};
constexpr PayloadField kLinkTestIap[] = {{13, Source::Constant, 0x01},
                                         {16, Source::RecordByte, 0},
                                         {18, Source::StationTag, 0},
                                         {20, Source::LocalIp, 0},
                                         {25, Source::TurnFlag, 0}};

// Per system type: KORVENHOST first, IAP second.
constexpr Layout kPhoneStartLayouts[] = {MakeLayout(kPhoneStartKorvenHost, 78), MakeLayout(kPhoneStartIap, 92)};
constexpr Layout kInitialReqLayouts[] = {MakeLayout(kInitialReqPayload, 13), MakeLayout(kInitialReqPayload, 13)};
constexpr Layout kInitialEndLayouts[] = {MakeLayout(kInitialEndPayload, 13), MakeLayout(kInitialEndPayload, 13)};
constexpr Layout kLinkTestLayouts[] = {MakeLayout(kLinkTestKorvenHost, 20), MakeLayout(kLinkTestIap, 26)};

// The values the payload fields are taken from.
struct PayloadValues {
    uint8_t sendIp[4] = {};
    uint8_t localIp[4] = {};
    uint8_t mac[6] = {};
    uint8_t userId[16] = {};
    uint8_t password[8] = {};
    uint8_t stationTag[2] = {};
    uint8_t recordByte = 0;
    uint8_t turnFlag = 0;
};

// Configuration texts as one consistent copy.
struct Settings {
    char sendIp[30];
    char localIp[30];
    char mac[30];
    char userId[8];
    char password[8];
};

Settings ReadSettings(const CKorvenSignalLibApp& app) {
    Settings settings;
    std::lock_guard<std::mutex> guard(app.configLock);
    std::memcpy(settings.sendIp, app.sendIP, sizeof settings.sendIp);
    std::memcpy(settings.localIp, app.localIP, sizeof settings.localIp);
    std::memcpy(settings.mac, app.localMAC, sizeof settings.mac);
    std::memcpy(settings.userId, app.userID, sizeof settings.userId);
    std::memcpy(settings.password, app.userPassword, sizeof settings.password);
    // The address fields hold at most 29 characters; keep them terminated.
    settings.sendIp[sizeof settings.sendIp - 1] = '\0';
    settings.localIp[sizeof settings.localIp - 1] = '\0';
    return settings;
}

PayloadValues ValuesOf(const CKorvenSignalLibApp& app, const Settings& settings) {
    PayloadValues values;
    korven::ParseDottedIPv4(settings.sendIp, values.sendIp);
    korven::ParseDottedIPv4(settings.localIp, values.localIp);
    std::memcpy(values.mac, settings.mac, sizeof values.mac);
    std::memcpy(values.userId, settings.userId, sizeof settings.userId);
    const size_t passwordLength = strnlen(settings.password, sizeof settings.password);
    std::memset(values.password, ' ', sizeof values.password);
    std::memcpy(values.password, settings.password, passwordLength);
    if (app.IsIap()) {
        const korven::StationTag tag = korven::CurrentStationTag(app);
        std::memcpy(values.stationTag, tag.bytes, sizeof values.stationTag);
        values.recordByte = korven::IapRegistrationByte(app, kLinkTestRecordByte);
    }
    return values;
}

struct Bytes {
    const uint8_t* data;
    size_t size;
};

Bytes BytesOf(const PayloadField& field, const PayloadValues& values) {
    switch (field.source) {
        case Source::Constant:
            return {&field.constant, 1};
        case Source::SendIp:
            return {values.sendIp, sizeof values.sendIp};
        case Source::LocalIp:
            return {values.localIp, sizeof values.localIp};
        case Source::Mac:
            return {values.mac, sizeof values.mac};
        case Source::UserId:
            return {values.userId, sizeof values.userId};
        case Source::Password:
            return {values.password, sizeof values.password};
        case Source::StationTag:
            return {values.stationTag, sizeof values.stationTag};
        case Source::RecordByte:
            return {&values.recordByte, 1};
        case Source::TurnFlag:
            return {&values.turnFlag, 1};
    }
    return {nullptr, 0};
}

// Zeroes the frame's length bytes, then writes every field of the layout.
void WritePayload(const Layout& layout, const PayloadValues& values, uint8_t* frame) {
    korven::FrameWriter out(frame, layout.length);
    out.fill(0, layout.length, 0);
    for (size_t i = 0; i < layout.count; ++i) {
        const Bytes bytes = BytesOf(layout.fields[i], values);
        out.putBytes(layout.fields[i].position, bytes.data, bytes.size);
    }
}

const Layout& LayoutFor(const CKorvenSignalLibApp& app, const Layout (&layouts)[2]) {
    return layouts[app.IsIap() ? 1 : 0];
}

// 100 to 2099 ms, from a generator seeded once per process, so that phones
// started together spread their registrations.
uint32_t IapRegistrationDelayMs() {
    static std::mutex lock;
    static std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(
        std::random_device{}() ^ std::chrono::steady_clock::now().time_since_epoch().count()));
    std::lock_guard<std::mutex> guard(lock);
    return static_cast<uint32_t>(generator() % 2000 + 100);
}

// Requests whose frame is their layout alone.
int SendFixedRequest(const char* beginLine, const RequestTraits& traits, const Layout (&layouts)[2]) {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginRequest(app, "%s", beginLine)) return -1;
    const Layout& layout = LayoutFor(app, layouts);
    uint8_t frame[kFrameBufferSize];
    WritePayload(layout, ValuesOf(app, ReadSettings(app)), frame);
    return korven::SendRequest(app, traits, frame, layout.length);
}

// The link-test turns: every odd call of a system type goes to the
// signalling port, every even one from local port 9000.
std::atomic<int32_t> linkTestTurns[2] = {{0}, {0}};

}  // namespace

int KORVEN_WidePhoneStart() {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginRequest(app, "[FN-BEGIN]KORVEN_WidePhoneStart")) return -1;
    const Settings settings = ReadSettings(app);
    if (std::strlen(settings.sendIp) < kMinSendIpText) return app.Fail(KORVEN_ERR_SEND_IP_NOT_SET);
    if (settings.userId[0] == '\0') return app.Fail(KORVEN_ERR_USER_ID_NOT_SET);

    app.endpoint->CloseSocket();
    if (!app.endpoint->CreateSocket(settings.sendIp, app.recPort, app.listenPort)) return -1;
    const PayloadValues values = ValuesOf(app, settings);
    if (app.IsIap()) korven::WaitPumpingMessages(IapRegistrationDelayMs());

    const Layout& layout = LayoutFor(app, kPhoneStartLayouts);
    uint8_t frame[kFrameBufferSize];
    WritePayload(layout, values, frame);
    return korven::SendRequest(app, kPhoneStart, frame, layout.length);
}

int KORVEN_WideInitialReq() {
    return SendFixedRequest("[FN-BEGIN]KORVEN_WideInitialReq", kInitialReq, kInitialReqLayouts);
}

int KORVEN_WideInitialEnd() {
    return SendFixedRequest("[FN-BEGIN]KORVEN_WideInitialEnd", kInitialEnd, kInitialEndLayouts);
}

int KORVEN_WideLinkTest() {
    CKorvenSignalLibApp& app = theApp();
    if (!korven::BeginRequest(app, "[FN-BEGIN]KORVEN_WideLinkTest")) return -1;
    const bool iap = app.IsIap();
    const Settings settings = ReadSettings(app);
    PayloadValues values = ValuesOf(app, settings);
    const bool signalPortTurn = ++linkTestTurns[iap ? 1 : 0] % 2 != 0;
    values.turnFlag = signalPortTurn ? 0 : 1;

    const Layout& layout = LayoutFor(app, kLinkTestLayouts);
    uint8_t frame[kFrameBufferSize];
    WritePayload(layout, values, frame);
    korven::WriteRequestHeader(app, kLinkTest, frame, layout.length);
    if (signalPortTurn) {
        if (!korven::SendStored(app, frame, layout.length)) return -1;
        WriteLog(iap ? "SendWideLinkTestIAP Signal Port..." : "SendWideLinkTest Signal Port...");
    } else {
        // The port-9000 turn bypasses the send callback; a failed datagram
        // is only traced.
        const bool sent =
            app.listenMode != 0 || app.endpoint->SendLinkTest(settings.sendIp, frame, layout.length,
                                                              iap ? kLinkTestPortIap : kLinkTestPortKorvenHost) != 0;
        if (sent) WriteLog(iap ? "SendWideLinkTestIAP_9000!!..." : "SendWideLinkTest_9000!!...");
    }
    return korven::FinishRequest(app, kLinkTest);
}
