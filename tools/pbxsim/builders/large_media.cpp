#include "pbxsim/builders/large_media.h"

namespace korven::pbxsim {
namespace {

template <size_t N>
Bytes Raw(const std::array<uint8_t, N>& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

void PutVideoLongForm(FrameBuilder& frame, const VideoControlFields& fields) {
    frame.SetBytes(50, Raw(fields.data30[0]));
    frame.SetBytes(80, Raw(fields.data30[1]));
    frame.SetBytes(110, Raw(fields.algorithms));
    frame.SetBytes(112, Raw(fields.payloads[0]));
    frame.SetBytes(116, Raw(fields.payloads[1]));
    frame.SetBytes(120, Raw(fields.data48[0]));
    frame.SetBytes(168, Raw(fields.data48[1]));
}

}  // namespace

Bytes LargeAudioControl(const AudioControlFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 51);
    frame.SetBytes(12, {fields.codes[0], fields.codes[1]});
    frame.SetBytes(14, Raw(fields.address));
    frame.SetBytes(18, Be16Bytes(fields.port));
    frame.SetBytes(20, BcdBytes(fields.number, 8));
    frame.SetBytes(37, {fields.codes[2]});
    frame.SetBytes(64, Raw(fields.data30[0]));
    frame.SetBytes(94, Raw(fields.data30[1]));
    frame.SetBytes(124, {fields.codes[3], fields.codes[4]});
    frame.SetBytes(136, Raw(fields.data48[0]));
    frame.SetBytes(184, Raw(fields.data48[1]));
    return frame.Frame();
}

Bytes LargeVideoControl(const VideoControlFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 80);
    frame.SetBytes(12, {fields.firstCode, fields.secondCode});
    frame.SetBytes(14, Raw(fields.address));
    frame.SetBytes(18, Be16Bytes(fields.port));
    frame.SetBytes(20, {fields.thirdCode, 0, fields.fourthCode});
    frame.SetBytes(fields.system == System::Iap ? 28 : 26, Be16Bytes(fields.secondValue));
    if (fields.system == System::Iap && fields.longForm) PutVideoLongForm(frame, fields);
    return frame.Frame();
}

Bytes LargeVideoUpdate(System system) { return LargeNotice(system, 89); }

}  // namespace korven::pbxsim
