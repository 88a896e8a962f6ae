#include "pbxsim/pbx_simulator.h"

#include <utility>

namespace korven::pbxsim {
namespace {

constexpr int kPollMs = 20;
constexpr uint8_t kPhoneStartId = 1;

}  // namespace

bool FrameMatch::Accepts(const ReceivedFrame& frame) const {
    const uint8_t frameClass = frame.MessageClass();
    // Wide requests travel in either Wide class (0x27 is the IAP short form).
    const bool classAccepted =
        !messageClass || *messageClass == frameClass || (*messageClass == kClassWide && frameClass == kClassWideShort);
    return (!channel || *channel == frame.channel) && classAccepted && (!messageId || *messageId == frame.MessageId());
}

std::optional<FrameMatch> FrameMatch::ByName(std::string_view name) {
    FrameMatch match;
    uint8_t messageClass = 0, id = 0;
    if (!LookUpMessageId(name, messageClass, id)) return std::nullopt;
    match.messageClass = messageClass;
    match.messageId = id;
    return match;
}

FrameMatch FrameMatch::On(Channel channel) {
    FrameMatch match;
    match.channel = channel;
    return match;
}

PbxSimulator::PbxSimulator(SimulatorOptions options) : options_(std::move(options)) {
    if (options_.registration.iapAddress.empty()) options_.registration.iapAddress = options_.address;
}

PbxSimulator::~PbxSimulator() { Stop(); }

bool PbxSimulator::Start(std::string& error) {
    Stop();
    if (!signal_.Open(DatagramPort::Kind::Udp, options_.address, options_.signalPort, error)) return false;
    if (options_.linkTest != LinkTestListening::None) {
        const auto kind =
            options_.linkTest == LinkTestListening::Udp ? DatagramPort::Kind::Udp : DatagramPort::Kind::Observer;
        if (!linkTest_.Open(kind, options_.address, options_.linkTestPort, error)) {
            signal_.Close();
            return false;
        }
    }
    running_ = true;
    threads_.emplace_back(&PbxSimulator::Listen, this, std::ref(signal_), Channel::Signal);
    if (options_.linkTest != LinkTestListening::None) {
        threads_.emplace_back(&PbxSimulator::Listen, this, std::ref(linkTest_), Channel::LinkTest);
    }
    return true;
}

void PbxSimulator::Stop() {
    running_ = false;
    for (std::thread& thread : threads_) thread.join();
    threads_.clear();
    signal_.Close();
    linkTest_.Close();
}

void PbxSimulator::Listen(DatagramPort& port, Channel channel) {
    std::vector<uint8_t> datagram;
    Peer from;
    while (running_) {
        if (!port.Receive(datagram, from, kPollMs)) continue;
        ReceivedFrame frame{channel, from, datagram};
        if (channel == Channel::Signal) {
            std::lock_guard<std::mutex> guard(lock_);
            phone_ = from;
        }
        Answer(frame);
        if (options_.onReceive) options_.onReceive(frame);
        Record(std::move(frame));
    }
}

void PbxSimulator::Answer(const ReceivedFrame& frame) {
    const bool phoneStart =
        frame.channel == Channel::Signal && frame.MessageClass() == kClassWide && frame.MessageId() == kPhoneStartId;
    if (!options_.answerRegistration || !phoneStart) return;
    signal_.SendTo(BuildVersCheck(options_.system, options_.registration), frame.from);
    signal_.SendTo(BuildInitialEnd(options_.system, options_.registration), frame.from);
}

void PbxSimulator::Record(ReceivedFrame frame) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        received_.push_back(std::move(frame));
    }
    arrived_.notify_all();
}

void PbxSimulator::SetPhone(const Peer& phone) {
    std::lock_guard<std::mutex> guard(lock_);
    phone_ = phone;
}

std::optional<Peer> PbxSimulator::Phone() const {
    std::lock_guard<std::mutex> guard(lock_);
    return phone_;
}

bool PbxSimulator::Send(const std::vector<uint8_t>& frame) {
    const std::optional<Peer> phone = Phone();
    return phone && signal_.SendTo(frame, *phone);
}

std::vector<ReceivedFrame> PbxSimulator::Received() const {
    std::lock_guard<std::mutex> guard(lock_);
    return received_;
}

size_t PbxSimulator::ReceivedCount() const {
    std::lock_guard<std::mutex> guard(lock_);
    return received_.size();
}

void PbxSimulator::ClearReceived() {
    std::lock_guard<std::mutex> guard(lock_);
    received_.clear();
}

std::optional<ReceivedFrame> PbxSimulator::WaitFor(const FrameMatch& match, std::chrono::milliseconds timeout,
                                                   size_t from, size_t* index) {
    std::unique_lock<std::mutex> guard(lock_);
    std::optional<ReceivedFrame> found;
    arrived_.wait_for(guard, timeout, [&] {
        for (size_t i = from; i < received_.size(); ++i) {
            if (!match.Accepts(received_[i])) continue;
            found = received_[i];
            if (index != nullptr) *index = i;
            return true;
        }
        return false;
    });
    return found;
}

bool PbxSimulator::WaitForCount(size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> guard(lock_);
    return arrived_.wait_for(guard, timeout, [&] { return received_.size() >= count; });
}

}  // namespace korven::pbxsim
