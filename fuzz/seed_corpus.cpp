// Writes the seed corpora of the fuzz targets into a folder, one subfolder
// per target, from the PBX simulator's frame builders: every Large and
// Normal message of both system types, streams of them, display command
// streams, and one input per request.
//
// Usage: korven-fuzz-seeds FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pbxsim/builders/display_painter.h"
#include "pbxsim/builders/large_call_state.h"
#include "pbxsim/builders/large_conference.h"
#include "pbxsim/builders/large_indicator.h"
#include "pbxsim/builders/large_media.h"
#include "pbxsim/builders/large_menu_key.h"
#include "pbxsim/builders/large_phone_database.h"
#include "pbxsim/builders/large_system_link.h"
#include "pbxsim/builders/large_text_sms.h"
#include "pbxsim/builders/normal_messages.h"
#include "pbxsim/pbx_frames.h"

namespace {

using namespace korven::pbxsim;
namespace fs = std::filesystem;

DisplayStream EveryDisplayCommand() {
    DisplayStream stream;
    stream.AllClear().Position(3).Char("Line one").CursorOn().ShiftLeft(2).ShiftRight(20).Blank(4);
    stream.Position(16).DoubleChar("\xB0\xA1\xB0\xA2").UpperClear().LowerClear().Date().CursorOff().Code(0x7F);
    return stream.End();
}

std::vector<Bytes> NormalMessages(System system) {
    std::vector<Bytes> frames = {
        NormalDate({24, 6, 10, 2, 9, 30, 0}, system),
        NormalDuration({0, 1, 30}, system),
        NormalDgpMsg({kMuteOnCode}, system),
        NormalDgpMsg({kMuteOffCode, 7}, system),
        NormalDgpInst(system),
        NormalDspValue(3, 4, system),
        DisplayFrame({"Reception", "Ringing 2001", true, 20}, system),
        NormalDgpLcd(EveryDisplayCommand().bytes(), system),
    };
    for (NormalValue value : {NormalValue::Tone, NormalValue::BRing, NormalValue::BTone, NormalValue::Ring,
                              NormalValue::RingLed, NormalValue::PageAll}) {
        frames.push_back(NormalValueMessage(value, 2, system));
    }
    return frames;
}

std::vector<Bytes> LargeMessages(System system) {
    const RegistrationAnswer answer;
    std::vector<Bytes> frames = {
        BuildVersCheck(system, answer),
        BuildInitialEnd(system, answer),
        LargeCallResponse(0, system),
        LargeCallStatus(5, system),
        LargeIdleStatus(DefaultFields<IdleStatusFields>(system)),
        LargeCallNumber(DefaultFields<CallNumberFields>(system)),
        LargeDialNumber(DefaultFields<CallNumberFields>(system)),
        LargeConfGroup(DefaultFields<ConfGroupFields>(system)),
        LargeConfStart(DefaultFields<ConfMembersFields>(system)),
        LargeConfStatus(DefaultFields<ConfMembersFields>(system)),
        LargeConfEnd(DefaultFields<ConfEndFields>(system)),
        LargeLedData(DefaultFields<LedDataFields>(system)),
        LargeSpotNews(DefaultFields<SpotNewsFields>(system)),
        LargeDispInfo(DefaultFields<DispInfoFields>(system)),
        LargeIdleSoft(DefaultFields<IdleSoftFields>(system)),
        LargeAudioControl(DefaultFields<AudioControlFields>(system)),
        LargeVideoControl(DefaultFields<VideoControlFields>(system)),
        LargeOnOffDisp(DefaultFields<OnOffDispFields>(system)),
        LargeProgramMsg(DefaultFields<ProgramMsgFields>(system)),
        LargeSoftMenu(DefaultFields<SoftMenuFields>(system)),
        LargeSoftList(DefaultFields<SoftListFields>(system)),
        LargeProgKey(DefaultFields<ProgKeyFields>(system)),
        LargeErrorResp(DefaultFields<ErrorRespFields>(system)),
        LargeDBUpdate(DefaultFields<DBUpdateFields>(system)),
        LargeSmsRecv(DefaultFields<SmsFields>(system)),
        LargeSmsSend(DefaultFields<SmsSendFields>(system)),
        LargeSmsSended(DefaultFields<SmsFields>(system)),
        LargeExecTextMsg(DefaultFields<ExecTextMsgFields>(system)),
        LargeExecTextRecv(DefaultFields<ExecTextRecvFields>(system)),
        LargeExecTextRead(DefaultFields<ExecTextReadFields>(system)),
        LargeExecState(DefaultFields<ExecStateFields>(system)),
        LargeExecFixed(DefaultFields<ExecFixedFields>(system)),
        LargeExecData(DefaultFields<ExecDataFields>(system)),
    };
    ProgramMsgFields secondHalf = DefaultFields<ProgramMsgFields>(system);
    secondHalf.first = 11;
    frames.push_back(LargeProgramMsg(secondHalf));
    PhoneDB5Fields db5 = DefaultFields<PhoneDB5Fields>(system);
    db5.id = system == System::Iap ? 125 : 84;
    frames.push_back(LargePhoneDB5(db5));
    frames.push_back(system == System::Iap ? LargePhoneDb0(IapPhoneDb0Fields{})
                                           : LargePhoneDb0(KorvenhostPhoneDb0Fields{}));
    if (system == System::Iap) {
        VideoControlFields video = DefaultFields<VideoControlFields>(system);
        video.longForm = true;
        frames.push_back(LargeVideoControl(video));
    }
    // Every other catalogued id, carrying nothing but the id.
    for (int id = 0; id < 256; ++id) {
        if (MessageName(kClassLarge, static_cast<uint8_t>(id)).rfind("class ", 0) != 0) {
            frames.push_back(LargeNotice(system, static_cast<uint8_t>(id)));
        }
    }
    return frames;
}

void Write(const fs::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Flag byte of the fuzz inputs: bit 0 IAP, bit 1 logging on.
uint8_t Flags(System system, bool logOn) { return (system == System::Iap ? 1 : 0) | (logOn ? 2 : 0); }

void AppendFramed(Bytes& stream, const Bytes& frame) {
    stream.push_back(static_cast<uint8_t>(frame.size() >> 8));
    stream.push_back(static_cast<uint8_t>(frame.size()));
    stream.insert(stream.end(), frame.begin(), frame.end());
}

void WriteFrameSeeds(const fs::path& folder) {
    for (System system : {System::KorvenHost, System::Iap}) {
        std::vector<Bytes> frames = LargeMessages(system);
        const std::vector<Bytes> normal = NormalMessages(system);
        frames.insert(frames.end(), normal.begin(), normal.end());
        // The frame target takes them one by one; the stream and dispatch
        // targets in runs of six, so that tables build up.
        for (size_t i = 0; i < frames.size(); ++i) {
            Bytes input = {Flags(system, i % 2 == 0)};
            input.insert(input.end(), frames[i].begin(), frames[i].end());
            Write(folder / "frame" / (std::to_string(static_cast<int>(system)) + "-" + std::to_string(i)), input);
        }
        for (size_t first = 0; first < frames.size(); first += 6) {
            Bytes input = {Flags(system, first % 12 == 0)};
            for (size_t i = first; i < std::min(first + 6, frames.size()); ++i) AppendFramed(input, frames[i]);
            const std::string name = std::to_string(static_cast<int>(system)) + "-" + std::to_string(first);
            Write(folder / "stream" / name, input);
            Write(folder / "dispatch" / name, input);
        }
    }
}

void WriteDisplaySeeds(const fs::path& folder) {
    const std::vector<Bytes> streams = {
        EveryDisplayCommand().bytes(),
        PaintDisplay({"Reception", "Ringing 2001", true, 20}),
        PaintDisplay({"A line longer than one row of the display", "", false, 0}),
    };
    for (size_t i = 0; i < streams.size(); ++i) {
        for (uint8_t language = 0; language < 8; ++language) {
            Bytes input = {static_cast<uint8_t>(language | 8), static_cast<uint8_t>(i * 7)};
            input.insert(input.end(), streams[i].begin(), streams[i].end());
            Write(folder / "display" / (std::to_string(i) + "-" + std::to_string(language)), input);
        }
    }
}

// The request is picked by the input's last byte; the texts and numbers
// come from its front.
void WriteRequestSeeds(const fs::path& folder) {
    constexpr int kRequests = 30;
    const char kArguments[] =
        "\x01\x01"
        "0312345678\x00\x05\x01\x01"
        "2001\x00\x01\x01Hello";
    const std::string arguments(kArguments, sizeof kArguments - 1);
    for (int request = 0; request < kRequests; ++request) {
        for (System system : {System::KorvenHost, System::Iap}) {
            Bytes input = {Flags(system, true)};
            input.insert(input.end(), arguments.begin(), arguments.end());
            input.push_back(static_cast<uint8_t>(request));
            Write(folder / "requests" / (std::to_string(request) + "-" + std::to_string(static_cast<int>(system))),
                  input);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path folder = argv[1];
    for (const char* target : {"frame", "stream", "display", "dispatch", "requests"}) {
        fs::create_directories(folder / target);
    }
    WriteFrameSeeds(folder);
    WriteDisplaySeeds(folder);
    WriteRequestSeeds(folder);
    return 0;
}
