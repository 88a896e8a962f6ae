#include "pbxsim/demo_reactions.h"

#include <utility>

#include "pbxsim/builders/display_painter.h"
#include "pbxsim/builders/large_call_state.h"
#include "pbxsim/builders/large_conference.h"
#include "pbxsim/wide_requests.h"
#include "transport/bcd_digits.h"

namespace korven::pbxsim {
namespace {

constexpr uint8_t kPhoneStartId = 1;
constexpr uint8_t kEventDataId = 0;
constexpr uint8_t kDigitStrId = 5;
constexpr uint8_t kConfDialId = 17;
constexpr uint8_t kConfSetId = 18;

constexpr uint8_t kConnect = 0;
constexpr uint8_t kIdle = 1;
constexpr uint8_t kOtherPartyRinging = 5;
// LARGE_DIAL_NUMBER up to its trunk type; the DID fields are left out.
constexpr size_t kDialNumberLength = 42;
constexpr uint8_t kConferenceCode = 1;

constexpr size_t kNumberPos = 12;
constexpr size_t kNumberBytes = 16;
constexpr size_t kMemberBytes = 11;
constexpr size_t kMembers = 4;
constexpr size_t kEventTypePos = 12;
constexpr size_t kEventCodePos = 13;

const DisplayPicture kIdleDisplay{"Ready", ""};

// The digits of the packed field at pos, or nothing when the frame is too
// short to hold it.
std::string DigitsAt(const Bytes& frame, size_t pos, size_t bytes) {
    if (frame.size() < pos + bytes) return {};
    char digits[2 * kNumberBytes + 1];
    DecodeBcdDigits(frame.data() + pos, bytes, digits);
    return digits;
}

bool IsWide(const ReceivedFrame& frame) {
    return frame.channel == Channel::Signal &&
           (frame.MessageClass() == kClassWide || frame.MessageClass() == kClassWideShort);
}

}  // namespace

const DemoReactions::Reaction DemoReactions::kReactions[] = {
    {kDigitStrId, &DemoReactions::AnswerDial},      {kConfSetId, &DemoReactions::KeepMembers},
    {kConfDialId, &DemoReactions::StartConference}, {kPhoneStartId, &DemoReactions::ShowIdle},
    {kEventDataId, &DemoReactions::HangUp},
};

void DemoReactions::Attach(SimulatorOptions& options) {
    system_ = options.system;
    options.onReceive = [this, previous = std::move(options.onReceive)](const ReceivedFrame& frame) {
        if (previous) previous(frame);
        OnFrame(frame);
    };
}

void DemoReactions::OnFrame(const ReceivedFrame& frame) {
    if (!IsWide(frame)) return;
    if (log_ != nullptr) *log_ << DescribeWideRequest(frame.bytes, system_) << std::endl;
    for (const Reaction& reaction : kReactions) {
        if (reaction.id == frame.MessageId()) (this->*reaction.react)(frame);
    }
}

void DemoReactions::AnswerDial(const ReceivedFrame& frame) {
    const std::string number = DigitsAt(frame.bytes, kNumberPos, kNumberBytes);
    CallNumberFields dialled;
    dialled.system = system_;
    dialled.number = BcdBytes(number, 8);
    dialled.name = "";
    dialled.length = kDialNumberLength;
    SendAll({LargeCallStatus(kOtherPartyRinging, system_), LargeDialNumber(dialled),
             DisplayFrame({"Calling", number}, system_)});
    if (progression_) SendAll({LargeCallStatus(kConnect, system_), DisplayFrame({"Connected", number}, system_)});
}

void DemoReactions::ShowIdle(const ReceivedFrame&) {
    if (!progression_) return;
    IdleStatusFields idle;
    idle.system = system_;
    SendAll({LargeIdleStatus(idle), DisplayFrame(kIdleDisplay, system_)});
}

void DemoReactions::HangUp(const ReceivedFrame& frame) {
    const bool onHook = frame.bytes.size() > kEventCodePos && frame.bytes[kEventTypePos] == kOnHookEventType &&
                        frame.bytes[kEventCodePos] == kOnHookEventCode;
    if (!progression_ || !onHook) return;
    SendAll({LargeCallDisconnect(system_), LargeCallStatus(kIdle, system_), DisplayFrame(kIdleDisplay, system_)});
}

void DemoReactions::KeepMembers(const ReceivedFrame& frame) {
    std::lock_guard<std::mutex> guard(lock_);
    for (size_t m = 0; m < kMembers; ++m)
        members_[m] = DigitsAt(frame.bytes, kNumberPos + m * kMemberBytes, kMemberBytes);
}

void DemoReactions::StartConference(const ReceivedFrame&) {
    ConfMembersFields start;
    start.system = system_;
    start.confCode = kConferenceCode;
    {
        std::lock_guard<std::mutex> guard(lock_);
        start.members = members_;
    }
    for (size_t m = 0; m < kMembers; ++m) start.memberInfo[m] = start.members[m].empty() ? 0 : 1;
    SendAll({LargeConfStart(start)});
}

void DemoReactions::SendAll(std::initializer_list<Bytes> frames) {
    PbxSimulator* simulator = simulator_.load();
    if (simulator == nullptr) return;
    for (const Bytes& frame : frames) simulator->Send(frame);
}

}  // namespace korven::pbxsim
