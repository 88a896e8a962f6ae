#include "transport/iap_registration.h"

#include <cstring>
#include <mutex>

#include "core/app_state.h"

namespace korven {
namespace {

constexpr size_t kStationTagOffset = 32;
constexpr size_t kDestinationOffset = 52;
constexpr size_t kRecordSize = sizeof(LargeRecords::iapRegistration);

}  // namespace

StationTag CurrentStationTag(const CKorvenSignalLibApp& app) {
    std::lock_guard<std::mutex> guard(app.recordLock);
    const uint8_t* record = app.large.iapRegistration;
    return {{record[kStationTagOffset], record[kStationTagOffset + 1]}};
}

std::string IapDestination(const CKorvenSignalLibApp& app) {
    std::lock_guard<std::mutex> guard(app.recordLock);
    const char* text = reinterpret_cast<const char*>(app.large.iapRegistration + kDestinationOffset);
    return std::string(text, strnlen(text, kRecordSize - kDestinationOffset));
}

uint8_t IapRegistrationByte(const CKorvenSignalLibApp& app, size_t offset) {
    std::lock_guard<std::mutex> guard(app.recordLock);
    return offset < kRecordSize ? app.large.iapRegistration[offset] : 0;
}

}  // namespace korven
