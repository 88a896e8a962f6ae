// SMS and executive-secretary messages as the PBX sends them: SMS received
// (37), sent (38), sent confirmation (64), SMS text (41), executive text
// message (34), text received (35), text read (72), state (58), fixed
// state data (59) and programmed state data (60).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pbxsim/builders/large_group_fields.h"

namespace korven::pbxsim {

// LARGE_SMS_RECV and LARGE_SMS_SENDED.
struct SmsFields {
    System system = System::KorvenHost;
    std::array<uint8_t, 4> reference = {0, 0, 0, 7};
    std::string number = "2001";  // digits, at most 8
    std::string text = "Meeting moved to room 4";
    std::array<uint8_t, 5> trailer = {0x24, 0x12, 0x06, 0x10, 0x30};
};

struct SmsSendFields {
    System system = System::KorvenHost;
    std::array<uint8_t, 4> reference = {0, 0, 0, 7};
    std::string number = "2001";
};

struct ExecTextMsgFields {
    System system = System::KorvenHost;
    std::array<std::string, 10> texts = {"Come in", "Busy", "Call me"};  // 16 bytes each
};

struct ExecTextRecvFields {
    System system = System::KorvenHost;
    std::string number = "2001";
    std::string data = "Call me";  // 16 bytes
};

// LARGE_EXEC_TEXT_READ: the extension that read the text.
struct ExecTextReadFields {
    System system = System::KorvenHost;
    std::string number = "2001";
};

struct ExecStateFields {
    System system = System::KorvenHost;
    std::string number = "2001";
    uint8_t state = 1;
};

struct ExecFixedFields {
    System system = System::KorvenHost;
    std::array<uint8_t, 128> data = {1, 2, 3, 4};
};

struct ExecDataEntry {
    std::string number;
    std::array<std::string, 2> display;  // 16 bytes each
};

struct ExecDataFields {
    System system = System::KorvenHost;
    std::array<ExecDataEntry, 4> entries = {{{"2001", {"In a meeting", "Back at 3"}}}};
};

Bytes LargeSmsRecv(const SmsFields& fields);
Bytes LargeSmsSend(const SmsSendFields& fields);
Bytes LargeSmsSended(const SmsFields& fields);
Bytes LargeSmsText(System system = System::KorvenHost);
Bytes LargeExecTextMsg(const ExecTextMsgFields& fields);
Bytes LargeExecTextRecv(const ExecTextRecvFields& fields);
Bytes LargeExecTextRead(const ExecTextReadFields& fields);
Bytes LargeExecState(const ExecStateFields& fields);
Bytes LargeExecFixed(const ExecFixedFields& fields);
Bytes LargeExecData(const ExecDataFields& fields);

}  // namespace korven::pbxsim
