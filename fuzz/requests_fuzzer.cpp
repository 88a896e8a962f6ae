// The requests with arbitrary numbers, texts (sometimes null) and blocks,
// in callback mode, so that every frame built reaches the send callback,
// which reads it whole. The text setters and an IAP registration answer
// (station tag, destination address) take arbitrary values too, since the
// requests copy them into their frames. KORVEN_WidePhoneStart is left out:
// it opens a socket and, on IAP, waits up to two seconds.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "fuzz_library.h"

namespace {

using Provider = FuzzedDataProvider;

int KORVEN_STDCALL ReadWholeFrame(void* frame, int length) {
    const auto copy = std::make_unique<uint8_t[]>(static_cast<size_t>(length));
    std::memcpy(copy.get(), frame, static_cast<size_t>(length));
    return 0;
}

// Exactly `size` bytes on the heap (so a read past them is caught), or null
// now and then.
class Block {
public:
    Block(Provider& in, size_t size) {
        if (in.ConsumeIntegralInRange(0, 15) == 0) return;
        bytes_ = std::make_unique<char[]>(size);
        const std::vector<char> given = in.ConsumeBytes<char>(size);
        std::copy(given.begin(), given.end(), bytes_.get());
    }
    char* get() const { return bytes_.get(); }
    template <class Record>
    Record* as() const {
        return reinterpret_cast<Record*>(bytes_.get());
    }

private:
    std::unique_ptr<char[]> bytes_;
};

// A zero-terminated text of arbitrary bytes, or null now and then.
class Text {
public:
    explicit Text(Provider& in) {
        if (in.ConsumeIntegralInRange(0, 15) == 0) return;
        const std::string text = in.ConsumeRandomLengthString(48);
        bytes_ = std::make_unique<char[]>(text.size() + 1);
        std::memcpy(bytes_.get(), text.c_str(), text.size() + 1);
    }
    char* get() const { return bytes_.get(); }

private:
    std::unique_ptr<char[]> bytes_;
};

int Number(Provider& in) { return in.ConsumeIntegral<int>(); }

// LARGE_VERS_CHECK from an IAP PBX carrying an arbitrary registration record.
void AnswerRegistration(Provider& in) {
    std::vector<uint8_t> frame = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 80, 0x07, 0x8B, 0x10, 0x11, 0x11, LARGE_VERS_CHECK};
    const std::vector<uint8_t> record = in.ConsumeBytes<uint8_t>(68);
    frame.insert(frame.end(), record.begin(), record.end());
    korven::fuzz::ParseFrame(frame.data(), frame.size());
}

using Request = void (*)(Provider&);
const Request kRequests[] = {
    [](Provider&) { KORVEN_WideInitialReq(); },
    [](Provider&) { KORVEN_WideInitialEnd(); },
    [](Provider&) { KORVEN_WideLinkTest(); },
    [](Provider& in) { KORVEN_WideEventData(Number(in), Number(in)); },
    [](Provider& in) { KORVEN_WideProgramBusy(Number(in)); },
    [](Provider& in) {
        const Text number(in);
        const Block trunk(in, 2);
        KORVEN_WideDigitStr(number.get(), Number(in), reinterpret_cast<unsigned char*>(trunk.get()));
    },
    [](Provider& in) { KORVEN_WideDataReq(Number(in)); },
    [](Provider& in) { KORVEN_WideSoftkey(Number(in)); },
    [](Provider& in) { KORVEN_WideProgkey(Number(in)); },
    [](Provider& in) { KORVEN_WideEnblockHandsetMode(Number(in)); },
    [](Provider&) { KORVEN_WideVideoUpdate(); },
    [](Provider& in) { KORVEN_WideConfGroup(Block(in, sizeof(tagSTSOFTCONFGROUP)).as<tagSTSOFTCONFGROUP>()); },
    [](Provider& in) { KORVEN_WideConfDial(Block(in, KORVEN_CONF_MEMBERS_SIZE).get()); },
    [](Provider& in) { KORVEN_WideConfDelete(Number(in)); },
    [](Provider& in) { KORVEN_WideConfAdd(Number(in), Text(in).get()); },
    [](Provider& in) { KORVEN_WideConfNewMaster(Text(in).get()); },
    [](Provider& in) { KORVEN_WideExecSecrTextSave(Block(in, KORVEN_EXEC_TEXT_MSG_SIZE).get()); },
    [](Provider& in) { KORVEN_WideExecSecrTextSend(Text(in).get(), Number(in)); },
    [](Provider& in) { KORVEN_WideExecTextRead(Text(in).get()); },
    [](Provider& in) {
        KORVEN_WideExecStateProgramData(Block(in, sizeof(tagSTSOFTEXECPROGDATA)).as<tagSTSOFTEXECPROGDATA>());
    },
    [](Provider& in) { KORVEN_WideExecState(Text(in).get(), Number(in)); },
    [](Provider& in) {
        const Text target(in);
        KORVEN_WideSmsSend(target.get(), Text(in).get());
    },
    [](Provider& in) {
        const bool iap = KORVEN_GetSystemType() == KORVEN_SYSTEM_IAP;
        KORVEN_WidePhoneDB0(Block(in, iap ? KORVEN_PHONE_DB0_IAP_SIZE : KORVEN_PHONE_DB0_KORVENHOST_SIZE).get());
    },
    [](Provider& in) { KORVEN_WidePhoneDB5(Block(in, sizeof(tagSTSOFTPHONEDB5)).as<tagSTSOFTPHONEDB5>()); },
    [](Provider& in) { KORVEN_WideAbsentProgramMsg(Block(in, KORVEN_ABSENCE_MESSAGES_SIZE).get()); },
    [](Provider& in) { KORVEN_SetSendIP(Text(in).get()); },
    [](Provider& in) { KORVEN_SetLocalIP(Text(in).get()); },
    [](Provider& in) { KORVEN_SetUserID(Text(in).get()); },
    [](Provider& in) { KORVEN_SetUserPassword(Text(in).get()); },
    AnswerRegistration,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    korven::fuzz::StartLibrary();
    static const int registered = KORVEN_CallBackRegFnSendLawPacket(ReadWholeFrame);
    (void)registered;
    korven::fuzz::ResetLibrary(korven::fuzz::FlagsOf(data[0]));
    char sendIp[] = "127.0.0.1", userId[] = "2001", password[] = "5803";
    KORVEN_SetSendIP(sendIp);
    KORVEN_SetLocalIP(sendIp);
    KORVEN_SetUserID(userId);
    KORVEN_SetUserPassword(password);
    Provider in(data + 1, size - 1);
    while (in.remaining_bytes() > 0) {
        kRequests[in.ConsumeIntegralInRange<size_t>(0, std::size(kRequests) - 1)](in);
    }
    return 0;
}
