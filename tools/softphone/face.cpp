#include "face.h"

#include <algorithm>
#include <sstream>

namespace softphone {
namespace {

struct StatusName {
    int value;
    const char* name;
};

const StatusName kStatusNames[] = {
    {0, "CONNECT"},
    {1, "IDLE"},
    {2, "OPPCALLREJECTED"},
    {3, "OPPBLOCK"},
    {4, "OPPHUNGUP"},
    {5, "OPPRINGING"},
    {6, "RING"},
    {7, "ERROR"},
    {8, "HOLD"},
    {9, "BUSY"},
    {10, "DIAL"},
    {11, "CALL_WINDOW"},
    {16, "VIDEO_DIALING"},
    {17, "VIDEO_RINGING_BOTH"},
    {18, "VIDEO_RINGING_SELF_ONLY"},
    {19, "VIDEO_RINGING_OPP_ONLY"},
    {20, "VIDEO_RINGING_OFF"},
    {21, "VIDEO_CONV_BOTH"},
    {22, "VIDEO_CONV_SELF_ONLY"},
    {23, "VIDEO_CONV_OPP_ONLY"},
    {24, "VIDEO_CONV_OFF"},
    {25, "VIDEO_DIALING_SELF_OFF"},
    {32, "VIDEO_RINGING_MRBT_SELF_ON"},
    {33, "VIDEO_RINGING_MRBT_SELF_OFF"},
    {48, "VIDEO_RING_MRING_SELF_ON"},
    {49, "VIDEO_RING_MRING_SELF_OFF"},
    {64, "VIDEO_OPP_MHOLD"},
    {65, "VIDEO_OPP_MBUSY"},
};

constexpr size_t kDisplayWidth = 16;
constexpr size_t kFaceWidth = 64;

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string OrDash(const std::string& text) { return text.empty() ? "-" : text; }

std::string NumberAndName(const std::string& number, const std::string& name) {
    return name.empty() ? OrDash(number) : OrDash(number) + " (" + name + ")";
}

std::string OnOff(unsigned char value) { return value != 0 ? "on" : "off"; }

class FaceWriter {
public:
    void Rule() { out_ << '+' << std::string(kFaceWidth, '-') << "+\n"; }
    void Row(const std::string& text) { out_ << "| " << Padded(text, kFaceWidth - 1) << "|\n"; }
    void Field(const char* label, const std::string& value) { Row(Padded(label, 11) + ": " + value); }
    std::string Text() const { return out_.str(); }

private:
    std::ostringstream out_;
};

void WriteDisplay(FaceWriter& face, const PhoneState& state) {
    const size_t width = std::max({kDisplayWidth, state.line1.size(), state.line2.size()});
    const std::string frame = "+" + std::string(width, '-') + "+";
    face.Row(frame);
    face.Row("|" + Padded(state.line1, width) + "|");
    face.Row("|" + Padded(state.line2, width) + "|");
    face.Row(frame + (state.cursorOn ? "  cursor at " + std::to_string(state.cursorPos) : "  cursor off"));
}

std::string SoftKeyLabels(const PhoneState& state) {
    std::string labels;
    for (const std::string& key : state.softKeys) labels += "[" + key + "] ";
    return OrDash(labels);
}

std::string ProgramKeyLabels(const PhoneState& state) {
    std::string labels;
    for (const ProgramKey& key : state.programKeys) labels += "[" + key.label + (key.led != 0 ? " *]" : "]") + " ";
    return OrDash(labels);
}

std::string IdleText(const PhoneState& state) {
    if (!state.idleKnown) return "-";
    const tagSTSOFTIDLEINFO& idle = state.idle;
    return "DND " + OnOff(idle.DNDMode) + ", absence " + OnOff(idle.AbsenceMode) + ", voice " +
           std::to_string(idle.TaviCount) + ", station " + std::to_string(idle.StationCount) + ", e-mail " +
           std::to_string(idle.EmailCount);
}

}  // namespace

std::string CallStatusName(int status) {
    if (status < 0) return "-";
    for (const StatusName& known : kStatusNames) {
        if (known.value == status) return known.name;
    }
    return "-UnKonwn-";
}

int CallStatusByName(const std::string& name) {
    for (const StatusName& known : kStatusNames) {
        if (name == known.name) return known.value;
    }
    return -1;
}

std::string RenderFace(const PhoneState& state, const std::string& user) {
    FaceWriter face;
    face.Rule();
    face.Row("Softphone " + user + (state.registered ? "  registered" : "  not registered"));
    WriteDisplay(face, state);
    const std::string status = CallStatusName(state.callStatus);
    face.Field("Call state", state.callStatus < 0 ? status : status + " (" + std::to_string(state.callStatus) + ")");
    face.Field("Dialled", NumberAndName(state.dialledNumber, state.dialledName));
    face.Field("Caller", NumberAndName(state.callerNumber, state.callerName));
    face.Field("Soft keys", SoftKeyLabels(state));
    face.Field("Prog keys", ProgramKeyLabels(state));
    face.Field("Idle", IdleText(state));
    face.Field("Keypad", state.keypad + "_");
    face.Field("Last event", OrDash(state.lastEvent));
    face.Rule();
    return face.Text();
}

}  // namespace softphone
