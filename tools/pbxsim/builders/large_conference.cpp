#include "pbxsim/builders/large_conference.h"

namespace korven::pbxsim {
namespace {

constexpr size_t kNumberBytes = 11;
constexpr size_t kGroupStride = 60;

Bytes LargeConfMembers(uint8_t id, const ConfMembersFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, id);
    frame.SetBytes(12, {fields.confCode, 0});
    for (size_t m = 0; m < fields.members.size(); ++m) {
        frame.SetBytes(14 + kNumberBytes * m, BcdBytes(fields.members[m], kNumberBytes));
    }
    frame.SetBytes(58, Bytes(fields.memberInfo.begin(), fields.memberInfo.end()));
    return frame.Frame();
}

}  // namespace

Bytes LargeConfGroup(const ConfGroupFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 24);
    for (size_t g = 0; g < fields.groups.size(); ++g) {
        const size_t base = 12 + kGroupStride * g;
        for (size_t m = 0; m < fields.groups[g].members.size(); ++m) {
            frame.SetBytes(base + kNumberBytes * m, BcdBytes(fields.groups[g].members[m], kNumberBytes));
        }
        frame.SetBytes(base + 44, TextBytes(fields.groups[g].name, 16));
    }
    return frame.Frame();
}

Bytes LargeConfStart(const ConfMembersFields& fields) { return LargeConfMembers(22, fields); }

Bytes LargeConfStatus(const ConfMembersFields& fields) { return LargeConfMembers(26, fields); }

Bytes LargeConfEnd(const ConfEndFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 23);
    frame.SetBytes(12, {fields.confCode});
    frame.SetBytes(13, BcdBytes(fields.member, kNumberBytes));
    return frame.Frame();
}

Bytes LargeConfTrans(System system) { return LargeNotice(system, 28); }

}  // namespace korven::pbxsim
