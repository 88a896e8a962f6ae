// korven-soak: the library, registered with the PBX simulator over
// loopback, under a steady mixed stream of frames while the application
// thread issues requests and reads the records in its window procedure. In
// the middle the PBX goes silent and comes back (the application registers
// again), and later a send fails (the next KORVEN_WidePhoneStart recovers).
//
// Usage: korven-soak [--seconds N] [--rate FRAMES_PER_SECOND] [--iap]
// Prints frames sent, received and lost, notifications, requests and the
// process's memory, descriptors and threads at start and end. Exits 1 when
// a frame or request went missing, a record was out of sequence, a fault
// was not recovered or descriptors, threads or memory grew.
#include <KorvenSignalLib.h>

#include <atomic>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "soak/pbx_traffic.h"
#include "soak/process_stats.h"

namespace {

using Clock = std::chrono::steady_clock;
using korven::soak::PbxTraffic;

// Memory the allocator may keep after the warm-up without it counting as a leak.
constexpr long kRssSlackKiB = 4096;
constexpr auto kRequestInterval = std::chrono::milliseconds(20);
constexpr auto kSettleTimeout = std::chrono::seconds(10);

struct Options {
    int seconds = 30;
    int rate = 200;
    bool iap = false;
};

// What the application saw. Frames and notifications arrive on the
// library's receive thread.
struct Counters {
    std::atomic<uint64_t> framesReceived{0};
    uint64_t largeNotifications = 0;
    uint64_t normalNotifications = 0;
    uint64_t registrations = 0;
    uint64_t sequenceBreaks = 0;
    uint32_t lastRepaint = 0;
    bool registered = false;
    // Requests sent that the PBX should have received.
    uint64_t requestsExpected = 0;
    uint64_t requestsIssued = 0;
    uint64_t linkTests = 0;
} counters;

UINT largeEvent = 0;
UINT normalEvent = 0;

int KORVEN_STDCALL CountFrame(void*, int) {
    ++counters.framesReceived;
    return 0;
}

// Reads the record of the notified frame, as an application does; checks
// that the display repaints arrive one after the other and that each call
// number carries the number of its repaint.
void ReadLarge(WPARAM id) {
    switch (id) {
        case LARGE_VERS_CHECK: {
            tagSTSOFTVERSIONCHECK check{};
            KORVEN_GetLargeVersionCheck(&check);
            break;
        }
        case LARGE_INITIAL_END:
            counters.registered = KORVEN_GetLargeInitialEndID() >= 0;
            break;
        case LARGE_CALL_STATUS:
            KORVEN_GetLargeCallStatus();
            break;
        case LARGE_CALL_NUMBER: {
            // Sent after the display of the same repaint, with its number.
            tagSTSOFTCALLNUMBER number{};
            KORVEN_GetLargeCallNumber(&number);
            if (static_cast<uint32_t>(number.ID) != counters.lastRepaint) ++counters.sequenceBreaks;
            break;
        }
        case LARGE_SOFT_MENU: {
            char label[KORVEN_SOFT_MENU_LABEL_SIZE];
            KORVEN_GetLargeSoftMenuDisplay(1, label);
            break;
        }
        case LARGE_SOFT_LIST: {
            tagSTSOFTSOFTTLIST list{};
            KORVEN_GetLargeSoftList(&list);
            break;
        }
        case LARGE_SMS_RECV: {
            tagSTSOFTSMSRECV sms{};
            KORVEN_GetLargeSmsRecv(&sms);
            break;
        }
        case LARGE_LED_DATA: {
            char leds[KORVEN_BUTTON_LED_SIZE];
            KORVEN_GetLargeButtonLED(leds);
            break;
        }
        default:
            break;
    }
}

void ReadNormal(WPARAM id) {
    if (id == NORMAL_DGP_LCD) {
        char line1[KORVEN_LCD_LINE_SIZE], line2[KORVEN_LCD_LINE_SIZE];
        int cursorOn = 0, cursorPos = 0;
        KORVEN_GetNormalPhoneLCDDisp(line1, line2, &cursorOn, &cursorPos);
        unsigned repaint = 0;
        if (std::sscanf(line2, "Call %u", &repaint) != 1 || repaint != counters.lastRepaint + 1) {
            ++counters.sequenceBreaks;
        }
        counters.lastRepaint = repaint;
    } else if (id == NORMAL_DGPRING) {
        KORVEN_GetNormalPhoneRing();
    } else if (id == NORMAL_DURATION) {
        tagSTSOFTDURATION duration{};
        KORVEN_GetNormalDuration(&duration);
    }
}

LRESULT WindowProcedure(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == largeEvent) {
        ++counters.largeNotifications;
        ReadLarge(wParam);
    } else if (message == normalEvent) {
        ++counters.normalNotifications;
        ReadNormal(wParam);
    }
    return 0;
}

class Application {
public:
    explicit Application(PbxTraffic& pbx) : pbx_(pbx) {}

    bool Open(HWND window, int system) {
        char address[] = "127.0.0.1", user[] = "2001";
        return KORVEN_Init(window, system, KORVEN_LISTEN_SOFTPHONE_SOCKET) == 0 && KORVEN_SetSendIP(address) == 0 &&
               KORVEN_SetUserID(user) == 0 && KORVEN_SetListenPort(0) == 0 &&
               KORVEN_CallBackRegFnRecvLawPacket(CountFrame) == 0;
    }

    // Registers (again) and waits for the PBX's answer.
    bool Register() {
        counters.registered = false;
        if (KORVEN_SetRecPort(pbx_.Port()) != 0 || KORVEN_WidePhoneStart() != 0) return false;
        ++counters.requestsExpected;
        if (!PumpUntil([] { return counters.registered; })) return false;
        ++counters.registrations;
        Request(KORVEN_WideInitialReq);
        Request(KORVEN_WideInitialEnd);
        return true;
    }

    // Pumps the window's messages for `duration`, issuing a request every
    // 20 ms.
    void Run(Clock::duration duration) {
        const auto end = Clock::now() + duration;
        auto nextRequest = Clock::now();
        while (Clock::now() < end) {
            Pump();
            if (Clock::now() >= nextRequest) {
                IssueNextRequest();
                nextRequest += kRequestInterval;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    // Everything sent so far has arrived on both sides.
    bool Settle() {
        return PumpUntil([this] {
            return counters.framesReceived == FramesExpected() && pbx_.RequestsReceived() == counters.requestsExpected;
        });
    }

    // The stream, and LARGE_VERS_CHECK and LARGE_INITIAL_END per registration.
    uint64_t FramesExpected() const { return pbx_.FramesSent() + 2 * counters.registrations; }

    // The PBX goes silent for a second while requests keep going out.
    bool Outage() {
        pbx_.GoSilent();
        const uint64_t expected = counters.requestsExpected;
        Run(std::chrono::seconds(1));
        counters.requestsExpected = expected;
        std::string error;
        return pbx_.ComeBack(error) && Register();
    }

    // A registration aimed at port 0 cannot be sent (the stored destination
    // changes only with KORVEN_WidePhoneStart): the socket closes, the next
    // request finds none, and the next KORVEN_WidePhoneStart recovers.
    bool SendFailure() {
        KORVEN_SetRecPort(0);
        const bool failed = KORVEN_WidePhoneStart() == -1 && KORVEN_GetErrorCode() == KORVEN_ERR_SEND_FAILED;
        const bool noSocket = KORVEN_WideSoftkey(1) == -1 && KORVEN_GetErrorCode() == KORVEN_ERR_NO_SOCKET;
        return failed && noSocket && Register();
    }

private:
    static void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    static bool PumpUntil(const std::function<bool()>& done) {
        const auto end = Clock::now() + kSettleTimeout;
        while (!done()) {
            if (Clock::now() >= end) return false;
            Pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    void Request(int (*request)()) {
        ++counters.requestsIssued;
        if (request() == 0) ++counters.requestsExpected;
    }

    // Requests both system types accept. Every second link test goes from
    // port 9000 to port 9000, where the simulator does not listen.
    void IssueNextRequest() {
        char number[] = "0312345678", target[] = "2001", text[] = "Soak test";
        unsigned char trunk[2] = {1, 2};
        ++counters.requestsIssued;
        int result = 0;
        switch (turn_++ % 5) {
            case 0:
                result = KORVEN_WideLinkTest();
                if (result == 0 && ++counters.linkTests % 2 == 0) return;
                break;
            case 1:
                result = KORVEN_WideSoftkey(static_cast<int>(turn_ % 20));
                break;
            case 2:
                result = KORVEN_WideDigitStr(number, 1, trunk);
                break;
            case 3:
                result = KORVEN_WideDataReq(LARGE_CALL_STATUS);
                break;
            default:
                result = KORVEN_WideSmsSend(target, text);
                break;
        }
        if (result == 0) ++counters.requestsExpected;
    }

    PbxTraffic& pbx_;
    unsigned turn_ = 0;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--seconds" && i + 1 < argc) {
            options.seconds = std::atoi(argv[++i]);
        } else if (argument == "--rate" && i + 1 < argc) {
            options.rate = std::atoi(argv[++i]);
        } else if (argument == "--iap") {
            options.iap = true;
        } else {
            std::fprintf(stderr, "usage: %s [--seconds N] [--rate FRAMES_PER_SECOND] [--iap]\n", argv[0]);
            std::exit(2);
        }
    }
    if (options.seconds < 6) options.seconds = 6;
    if (options.rate < 1) options.rate = 1;
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    const auto system = options.iap ? korven::pbxsim::System::Iap : korven::pbxsim::System::KorvenHost;
    largeEvent = RegisterWindowMessageA(KORVEN_LARGE_EVENT_MESSAGE_NAME);
    normalEvent = RegisterWindowMessageA(KORVEN_NORMAL_EVENT_MESSAGE_NAME);
    const HWND window = CreateMessageWindow(WindowProcedure);

    PbxTraffic pbx(system, options.rate);
    Application application(pbx);
    std::string error, problems;
    if (!pbx.Start(error) || !application.Open(window, options.iap ? 1 : 0) || !application.Register()) {
        std::fprintf(stderr, "soak: cannot start: %s (library error %d)\n", error.c_str(), KORVEN_GetErrorCode());
        return 1;
    }

    // A third of the time in each of three stretches, the faults between
    // them; the first two seconds warm up before the start figures.
    const auto stretch = std::chrono::seconds(options.seconds) / 3;
    pbx.Resume();
    application.Run(std::chrono::seconds(2));
    const korven::soak::ProcessStats start = korven::soak::ReadProcessStats();
    const auto began = Clock::now();
    const auto settle = [&](const char* when) {
        pbx.Pause();
        if (!application.Settle()) problems += std::string("frames or requests missing ") + when + "\n";
    };
    application.Run(stretch - std::chrono::seconds(2));
    settle("before the outage");
    if (!application.Outage()) problems += "no registration after the outage\n";
    pbx.Resume();
    application.Run(stretch);
    settle("before the send failure");
    if (!application.SendFailure()) problems += "the failed send was not reported or not recovered\n";
    pbx.Resume();
    application.Run(stretch);
    settle("at the end");
    const korven::soak::ProcessStats end = korven::soak::ReadProcessStats();
    korven::soak::CheckFlat(start, end, kRssSlackKiB, problems);
    if (counters.sequenceBreaks != 0) problems += "records out of sequence\n";
    const uint64_t notifications = counters.largeNotifications + counters.normalNotifications;
    if (notifications != counters.framesReceived) problems += "notifications and frames received differ\n";

    const double seconds = std::chrono::duration<double>(Clock::now() - began).count();
    const uint64_t expected = application.FramesExpected();
    std::printf("soak: %.0f s, %s, %d frames/s, log level %d\n", seconds, options.iap ? "IAP" : "KORVENHOST",
                options.rate, KORVEN_GetLogLevel());
    const uint64_t received = counters.framesReceived;
    std::printf("frames: sent %" PRIu64 ", received %" PRIu64 ", lost %" PRId64 "\n", expected, received,
                static_cast<int64_t>(expected - received));
    std::printf("notifications: %" PRIu64 " large, %" PRIu64 " normal; records out of sequence: %" PRIu64 "\n",
                counters.largeNotifications, counters.normalNotifications, counters.sequenceBreaks);
    std::printf("requests: issued %" PRIu64 ", received by the PBX %" PRIu64 " of %" PRIu64
                " expected; registrations %" PRIu64 "\n",
                counters.requestsIssued, pbx.RequestsReceived(), counters.requestsExpected, counters.registrations);
    std::printf("start: %s\nend:   %s\n", korven::soak::Describe(start).c_str(), korven::soak::Describe(end).c_str());
    std::printf("%s", problems.c_str());
    std::printf("soak: %s\n", problems.empty() ? "passed" : "FAILED");
    return problems.empty() ? 0 : 1;
}
