#include "pbxsim/builders/large_indicator.h"

namespace korven::pbxsim {

Bytes LargeLedData(const LedDataFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 30);
    const size_t sent = fields.system == System::Iap ? 2 : fields.leds.size();
    frame.SetBytes(12, Bytes(fields.leds.begin(), fields.leds.begin() + static_cast<std::ptrdiff_t>(sent)));
    return frame.Frame();
}

// The length sits in b12-b13 for KORVENHOST and in b14-b15 for IAP; the
// text starts at b16 for both.
Bytes LargeSpotNews(const SpotNewsFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 31);
    const auto length = fields.announcedLength.value_or(static_cast<uint16_t>(fields.text.size()));
    frame.SetBytes(fields.system == System::Iap ? 14 : 12, Be16Bytes(length));
    frame.SetBytes(16, TextBytes(fields.text, fields.text.size()));
    return frame.Frame();
}

Bytes LargeDispInfo(const DispInfoFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 63);
    frame.SetBytes(12, {fields.prefix[0], fields.prefix[1], fields.newsShow});
    return frame.Frame();
}

Bytes LargeIdleSoft(const IdleSoftFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 118);
    frame.SetBytes(12, {0, fields.count});
    frame.SetBytes(14, Bytes(fields.keys.begin(), fields.keys.end()));
    return frame.Frame();
}

Bytes LargeSpotChoice(System system) { return LargeNotice(system, 55); }

Bytes LargeSpotInfo(System system) { return LargeNotice(system, 57); }

}  // namespace korven::pbxsim
