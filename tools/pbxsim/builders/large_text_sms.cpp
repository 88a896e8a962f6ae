#include "pbxsim/builders/large_text_sms.h"

namespace korven::pbxsim {
namespace {

constexpr size_t kNumberBytes = 4;
constexpr size_t kTextWidth = 16;
constexpr size_t kExecEntryStride = 36;

// b12-b13 are left zero.
Bytes LargeSms(uint8_t id, const SmsFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, id);
    frame.SetBytes(12, {0, 0});
    frame.SetBytes(14, Bytes(fields.reference.begin(), fields.reference.end()));
    frame.SetBytes(18, BcdBytes(fields.number, kNumberBytes));
    frame.SetBytes(22, TextBytes(fields.text, 80));
    frame.SetBytes(102, Bytes(fields.trailer.begin(), fields.trailer.end()));
    return frame.Frame();
}

// A message that is an extension number followed by `rest`.
Bytes LargeExecNumber(System system, uint8_t id, const std::string& number, const Bytes& rest) {
    FrameBuilder frame(system, kClassLarge, id);
    frame.SetBytes(12, BcdBytes(number, kNumberBytes));
    frame.SetBytes(16, rest);
    return frame.Frame();
}

}  // namespace

Bytes LargeSmsRecv(const SmsFields& fields) { return LargeSms(37, fields); }

Bytes LargeSmsSended(const SmsFields& fields) { return LargeSms(64, fields); }

Bytes LargeSmsSend(const SmsSendFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 38);
    frame.SetBytes(12, Bytes(fields.reference.begin(), fields.reference.end()));
    frame.SetBytes(16, BcdBytes(fields.number, kNumberBytes));
    return frame.Frame();
}

Bytes LargeSmsText(System system) { return LargeNotice(system, 41); }

Bytes LargeExecTextMsg(const ExecTextMsgFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 34);
    for (size_t i = 0; i < fields.texts.size(); ++i) {
        frame.SetBytes(12 + kTextWidth * i, TextBytes(fields.texts[i], kTextWidth));
    }
    return frame.Frame();
}

Bytes LargeExecTextRecv(const ExecTextRecvFields& fields) {
    return LargeExecNumber(fields.system, 35, fields.number, TextBytes(fields.data, kTextWidth));
}

Bytes LargeExecTextRead(const ExecTextReadFields& fields) {
    return LargeExecNumber(fields.system, 72, fields.number, {});
}

Bytes LargeExecState(const ExecStateFields& fields) {
    return LargeExecNumber(fields.system, 58, fields.number, {fields.state});
}

Bytes LargeExecFixed(const ExecFixedFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 59);
    frame.SetBytes(12, Bytes(fields.data.begin(), fields.data.end()));
    return frame.Frame();
}

Bytes LargeExecData(const ExecDataFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 60);
    for (size_t i = 0; i < fields.entries.size(); ++i) {
        const size_t base = 12 + kExecEntryStride * i;
        frame.SetBytes(base, BcdBytes(fields.entries[i].number, kNumberBytes));
        frame.SetBytes(base + 4, TextBytes(fields.entries[i].display[0], kTextWidth));
        frame.SetBytes(base + 20, TextBytes(fields.entries[i].display[1], kTextWidth));
    }
    return frame.Frame();
}

}  // namespace korven::pbxsim
