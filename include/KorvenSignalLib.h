// Public interface of the softphone signalling library: the exported
// functions, the records they exchange with the application and the
// constants an application compares results and window messages against.
//
// Every export returns -1 on failure (0xFFFFFFFF from the unsigned getters)
// and leaves a code, read with KORVEN_GetErrorCode, that stays until another
// export overwrites it. Nothing is thrown across the boundary.
//
// Exports use C++ linkage (KORVEN_EnableIPv6 is overloaded) and the default
// calling convention; records contain fixed-size fields only, so their layout
// is the same for 32- and 64-bit callers.
#pragma once

#include <cstddef>
#include <type_traits>

#include "KorvenExport.h"

#if defined(_WIN32)
// Only the core Windows headers: the full set pulls in winsock.h, which
// clashes with a later winsock2.h, and min/max macros break std::min/max.
#  if !defined(WIN32_LEAN_AND_MEAN)
#    define WIN32_LEAN_AND_MEAN
#    define KORVEN_UNDEF_LEAN_AND_MEAN
#  endif
#  if !defined(NOMINMAX)
#    define NOMINMAX
#    define KORVEN_UNDEF_NOMINMAX
#  endif
#  include <windows.h>
#  if defined(KORVEN_UNDEF_LEAN_AND_MEAN)
#    undef WIN32_LEAN_AND_MEAN
#    undef KORVEN_UNDEF_LEAN_AND_MEAN
#  endif
#  if defined(KORVEN_UNDEF_NOMINMAX)
#    undef NOMINMAX
#    undef KORVEN_UNDEF_NOMINMAX
#  endif
#else
#  include "KorvenWinCompat.h"
#endif

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

#include "KorvenErrors.h"

// PBX family, argument of KORVEN_Init.
enum KorvenSystemType : int {
    KORVEN_SYSTEM_KORVENHOST = 0,
    KORVEN_SYSTEM_IAP = 1,
};

// Who carries the frames, argument of KORVEN_Init: the library's own UDP
// socket, or the application through the raw-frame callbacks and
// KORVEN_DispatchRecvLawPacket.
enum KorvenListenMode : int {
    KORVEN_LISTEN_SOFTPHONE_SOCKET = 0,
    KORVEN_LISTEN_PHONEIF_CALLBACK = 1,
};

// How notifications reach the application window. With SEND the decoding
// thread waits until the window procedure returns, so a getter called there
// reads the record of exactly the notified frame; with POST a later frame of
// the same id may already have replaced it.
enum KorvenWindowMessageType : int {
    KORVEN_WINDOW_MESSAGE_SEND = 0,
    KORVEN_WINDOW_MESSAGE_POST = 1,
};

// Names of the two registered window messages (RegisterWindowMessageA).
// WPARAM is the Normal or Large message id, LPARAM is 0.
#define KORVEN_NORMAL_EVENT_MESSAGE_NAME "Softphone NORMAL EVENT"
#define KORVEN_LARGE_EVENT_MESSAGE_NAME "Softphone LARGE EVENT"

// Ids of the Large messages (WPARAM of "Softphone LARGE EVENT"). Ids named
// here but without a handler in the library are never notified.
enum KorvenLargeMessageId : unsigned int {
    LARGE_INITIAL_END = 0,
    LARGE_VERS_CHECK = 1,
    LARGE_CALL_RESP = 2,
    LARGE_CALL_STATUS = 3,
    LARGE_IDLE_STATUS = 4,
    LARGE_CALL_NUMBER = 5,
    LARGE_DIAL_NUMBER = 7,
    LARGE_PHONE_DB0 = 9,
    LARGE_PHONE_DB1 = 10,
    LARGE_PHONE_DB2 = 11,
    LARGE_PHONE_DB3 = 12,
    LARGE_ONOFF_DISP = 13,
    LARGE_PROGRAM_MSG = 14,
    LARGE_VDIAL_NUMBER = 15,
    LARGE_SOFT_MENU = 17,
    LARGE_SOFT_LIST = 18,
    LARGE_PROG_KEY = 19,
    LARGE_SOFT_ENBLOC = 20,
    LARGE_KEY_ENBLOC = 21,
    LARGE_CONF_START = 22,
    LARGE_CONF_END = 23,
    LARGE_CONF_GROUP = 24,
    LARGE_CONF_STATUS = 26,
    LARGE_CONF_TRANS = 28,
    LARGE_IDLE_SCREEN = 29,
    LARGE_LED_DATA = 30,
    LARGE_SPOT_NEWS = 31,
    LARGE_SPOT_CALL = 32,
    LARGE_EXEC_TEXT_MSG = 34,
    LARGE_EXEC_TEXT_RECV = 35,
    LARGE_EXEC_TEXT_START = 36,
    LARGE_SMS_RECV = 37,
    LARGE_SMS_SEND = 38,
    LARGE_SMS_OPEN = 39,
    LARGE_SMS_CLEAR = 40,
    LARGE_SMS_TEXT = 41,
    LARGE_SMS_ALLREQ = 42,
    LARGE_SYS_RESET = 49,
    // The message catalogue names id 50 LARGE_SMS_SEND as well; it needs a
    // constant of its own to be told apart from id 38.
    LARGE_SMS_SEND_2 = 50,
    LARGE_AUDIO_CTRL = 51,
    LARGE_CALL_DISCONNECT = 52,
    LARGE_MISSED_CALL = 53,
    LARGE_LINK_TEST = 54,
    LARGE_SPOT_CHOICE = 55,
    LARGE_SPOT_INFO = 57,
    LARGE_EXEC_STATE = 58,
    LARGE_EXEC_FIXED = 59,
    LARGE_EXEC_DATA = 60,
    LARGE_ERROR_RESP = 62,
    LARGE_DISP_INFO = 63,
    LARGE_SMS_SENDED = 64,
    LARGE_SMS_CANCELED = 66,
    LARGE_BGM_STATE = 67,
    LARGE_IDLE_DISP = 71,
    LARGE_EXEC_TEXT_READ = 72,
    LARGE_AOM_DISP = 73,
    LARGE_VIDEO_CTRL = 80,
    LARGE_PHONE_DB5 = 84,
    // The video-update request; it has no catalogue name and is logged by
    // number.
    LARGE_VIDEO_UPDATE = 89,
    LARGE_LCDKEY_MODE = 102,
    LARGE_VOL_WINDOW = 103,
    LARGE_VIDEO_RESEND = 104,
    LARGE_SOFT_IDLE = 118,
    LARGE_PHONE_DB5_IAP = 125,
    LARGE_GK_RESTART = 160,
    LARGE_DB_UPDATE = 162,
};

// Ids of the Normal messages (WPARAM of "Softphone NORMAL EVENT"). Ids named
// here but without a handler in the library are never notified.
enum KorvenNormalMessageId : unsigned int {
    NORMAL_DGP_DATE = 15,
    NORMAL_DURATION = 16,
    NORMAL_DGP_MSG = 18,
    NORMAL_DGP_LCD = 19,
    NORMAL_DGP_TONE = 20,
    NORMAL_DGP_VOL = 21,
    NORMAL_DGPBRNG = 22,
    NORMAL_DGPBTON = 23,
    NORMAL_DGPRING = 24,
    NORMAL_DGPINST = 25,
    NORMAL_DGPRINGLED = 34,
    NORMAL_PAGE_ALL = 37,
    NORMAL_DISP_INFO = 62,
    NORMAL_DSP_VALUE = 71,
};

// Values of KORVEN_GetLargeCallStatus.
enum KorvenCallStatus : int {
    KORVEN_CALL_STATUS_CONNECT = 0,
    KORVEN_CALL_STATUS_IDLE = 1,
    KORVEN_CALL_STATUS_OPP_CALL_REJECTED = 2,
    KORVEN_CALL_STATUS_OPP_BLOCK = 3,
    KORVEN_CALL_STATUS_OPP_HUNG_UP = 4,
    KORVEN_CALL_STATUS_OPP_RINGING = 5,
    KORVEN_CALL_STATUS_RING = 6,
    KORVEN_CALL_STATUS_ERROR = 7,
    KORVEN_CALL_STATUS_HOLD = 8,
    KORVEN_CALL_STATUS_BUSY = 9,
    KORVEN_CALL_STATUS_DIAL = 10,
    KORVEN_CALL_STATUS_CALL_WINDOW = 11,
    KORVEN_CALL_STATUS_VIDEO_DIALING = 16,
    KORVEN_CALL_STATUS_VIDEO_RINGING_BOTH = 17,
    KORVEN_CALL_STATUS_VIDEO_RINGING_SELF_ONLY = 18,
    KORVEN_CALL_STATUS_VIDEO_RINGING_OPP_ONLY = 19,
    KORVEN_CALL_STATUS_VIDEO_RINGING_OFF = 20,
    KORVEN_CALL_STATUS_VIDEO_CONV_BOTH = 21,
    KORVEN_CALL_STATUS_VIDEO_CONV_SELF_ONLY = 22,
    KORVEN_CALL_STATUS_VIDEO_CONV_OPP_ONLY = 23,
    KORVEN_CALL_STATUS_VIDEO_CONV_OFF = 24,
    KORVEN_CALL_STATUS_VIDEO_DIALING_SELF_OFF = 25,
    KORVEN_CALL_STATUS_VIDEO_RINGING_MRBT_SELF_ON = 32,
    KORVEN_CALL_STATUS_VIDEO_RINGING_MRBT_SELF_OFF = 33,
    KORVEN_CALL_STATUS_VIDEO_RING_MRING_SELF_ON = 48,
    KORVEN_CALL_STATUS_VIDEO_RING_MRING_SELF_OFF = 49,
    KORVEN_CALL_STATUS_VIDEO_OPP_MHOLD = 64,
    KORVEN_CALL_STATUS_VIDEO_OPP_MBUSY = 65,
};

// Values of KORVEN_GetLargeCallResponseStatus.
enum KorvenCallResponse : int {
    KORVEN_CALL_RESP_RINGING = 0,
    KORVEN_CALL_RESP_LOCKED = 1,
    KORVEN_CALL_RESP_INVALID_NUMBER = 2,
    KORVEN_CALL_RESP_PLUG_OUT = 3,
    KORVEN_CALL_RESP_BUSY = 4,
    KORVEN_CALL_RESP_DND = 5,
    KORVEN_CALL_RESP_NO_MORE_CALL = 6,
    KORVEN_CALL_RESP_CODE_REQ = 7,
    KORVEN_CALL_RESP_CLASS_BLOCK = 8,
    KORVEN_CALL_RESP_WAITING = 9,
};

// Sizes of the untyped buffers that exports read or fill.
enum : int {
    KORVEN_VERSION_BUFFER_SIZE = 100,        // KORVEN_GetVersion, at least
    KORVEN_IP_BUFFER_MIN_SIZE = 7,           // KORVEN_GetSendIP/GetLocalIP, at least
    KORVEN_IP_TEXT_SIZE = 30,                // longest IP text copied out, terminator included
    KORVEN_USER_ID_SIZE = 8,                 // user ID and password fields
    KORVEN_OPTION_DISP_SIZE = 160,           // KORVEN_GetLargeAddOnOffOptionDisp: 10 x 16
    KORVEN_ABSENT_PROGRAM_MSG_SIZE = 320,    // KORVEN_GetLargeAbsentProgramMsg: 20 x 16
    KORVEN_ABSENCE_MESSAGES_SIZE = 80,       // KORVEN_WideAbsentProgramMsg: 5 x 16
    KORVEN_SOFT_MENU_LABEL_SIZE = 14,        // KORVEN_GetLargeSoftMenuDisplay: 13 + terminator
    KORVEN_BUTTON_LED_SIZE = 128,            // KORVEN_GetLargeButtonLED
    KORVEN_SPOT_NEWS_SIZE = 298,             // KORVEN_GetLargeSpotNews text
    KORVEN_EXEC_TEXT_MSG_SIZE = 160,         // 10 x 16 preset texts, both directions
    KORVEN_EXEC_TEXT_READ_SIZE = 8,          // KORVEN_GetLargeExecTextRead
    KORVEN_EXEC_FIXED_STATE_SIZE = 128,      // KORVEN_GetLargeExecFixedStateData
    KORVEN_DB_UPDATE_ID_SIZE = 16,           // KORVEN_GetLargeDBUpdateID
    KORVEN_PHONE_DB0_BUFFER_SIZE = 246,      // KORVEN_GetLargePhoneDB0, either system type
    KORVEN_PHONE_DB0_KORVENHOST_SIZE = 246,  // phone database 0 layout, KORVENHOST
    KORVEN_PHONE_DB0_IAP_SIZE = 105,         // phone database 0 layout, IAP
    KORVEN_CONF_MEMBERS_SIZE = 88,           // KORVEN_WideConfDial: 4 x 22
    KORVEN_LCD_LINE_SIZE = 50,               // each line of KORVEN_GetNormalPhoneLCDDisp
};

// The application's raw-frame callback: one whole frame and its length. The
// library ignores the result. The receive callback runs on the receive
// thread, the send callback on the thread of the request.
typedef int(KORVEN_STDCALL* LawPacketCallback)(void* frame, int length);

// ---------------------------------------------------------------------------
// Records
//
// Getters copy a record out whole. Text fields are fixed width, zero-filled
// and not terminated when the text fills them; digit texts use '0'-'9', '*'
// and '#'.
// ---------------------------------------------------------------------------

// LARGE_VERS_CHECK: the PBX's verdict on the registration.
typedef struct tagSTSOFTVERSIONCHECK {
    unsigned char Result;  // 0 is success
    char Digits[8];
    unsigned char CountryCode;  // 0 English, 1 Korean (and unknown), 2 and 4 Italian
    unsigned char SignalType;   // 0 UDP, 1 TCP, 2 TLS
    int RealPort;               // 0 on IAP
} STSOFTVERSIONCHECK;
static_assert(sizeof(tagSTSOFTVERSIONCHECK) == 16);
static_assert(offsetof(tagSTSOFTVERSIONCHECK, Result) == 0);
static_assert(offsetof(tagSTSOFTVERSIONCHECK, Digits) == 1);
static_assert(offsetof(tagSTSOFTVERSIONCHECK, CountryCode) == 9);
static_assert(offsetof(tagSTSOFTVERSIONCHECK, SignalType) == 10);
static_assert(offsetof(tagSTSOFTVERSIONCHECK, RealPort) == 12);

// LARGE_IDLE_STATUS: idle-state indicators.
typedef struct tagSTSOFTIDLEINFO {
    unsigned char DNDMode;
    unsigned char AbsenceMode;
    unsigned char TaviCount;     // voice-mail messages
    unsigned char StationCount;  // station messages
    unsigned char EmailCount;    // KORVENHOST only, else 0
} STSOFTIDLEINFO;
static_assert(sizeof(tagSTSOFTIDLEINFO) == 5);
static_assert(offsetof(tagSTSOFTIDLEINFO, DNDMode) == 0);
static_assert(offsetof(tagSTSOFTIDLEINFO, AbsenceMode) == 1);
static_assert(offsetof(tagSTSOFTIDLEINFO, TaviCount) == 2);
static_assert(offsetof(tagSTSOFTIDLEINFO, StationCount) == 3);
static_assert(offsetof(tagSTSOFTIDLEINFO, EmailCount) == 4);

// LARGE_CALL_NUMBER: number and name of the other party. The DID fields are
// empty unless the frame is at least 74 bytes long, szCallNameEx unless it
// is at least 108.
typedef struct tagSTSOFTCALLNUMBER {
    int ID;
    char Number[16];
    char Name[16];
    unsigned char TrunkType[2];
    char szDIDNumber[16];
    char szDIDName[16];
    char szCallNameEx[32];
} STSOFTCALLNUMBER;
static_assert(sizeof(tagSTSOFTCALLNUMBER) == 104);
static_assert(offsetof(tagSTSOFTCALLNUMBER, ID) == 0);
static_assert(offsetof(tagSTSOFTCALLNUMBER, Number) == 4);
static_assert(offsetof(tagSTSOFTCALLNUMBER, Name) == 20);
static_assert(offsetof(tagSTSOFTCALLNUMBER, TrunkType) == 36);
static_assert(offsetof(tagSTSOFTCALLNUMBER, szDIDNumber) == 38);
static_assert(offsetof(tagSTSOFTCALLNUMBER, szDIDName) == 54);
static_assert(offsetof(tagSTSOFTCALLNUMBER, szCallNameEx) == 70);

// LARGE_DIAL_NUMBER: the dialled number; the fields of the call number, in a
// record of its own.
typedef struct tagSTSOFTDIALNUMBER : tagSTSOFTCALLNUMBER {
} STSOFTDIALNUMBER;
static_assert(sizeof(tagSTSOFTDIALNUMBER) == sizeof(tagSTSOFTCALLNUMBER));
static_assert(std::is_standard_layout_v<tagSTSOFTDIALNUMBER>);

// LARGE_SOFT_LIST and LARGE_SOFT_IDLE: soft keys of the current state.
typedef struct tagSTSOFTSOFTTLIST {
    unsigned char Count;  // at most 20 for the soft list; the idle list keeps the received count
    unsigned char List[20];
} STSOFTSOFTTLIST;
static_assert(sizeof(tagSTSOFTSOFTTLIST) == 21);
static_assert(offsetof(tagSTSOFTSOFTTLIST, Count) == 0);
static_assert(offsetof(tagSTSOFTSOFTTLIST, List) == 1);

// LARGE_PROG_KEY: labels of the programmable keys, 100 entries.
typedef struct tagSTSOFTPROGKEY {
    struct Entry {
        unsigned char KeyID;
        char Text[16];
    };
    Entry Keys[100];
} STSOFTPROGKEY;
static_assert(sizeof(tagSTSOFTPROGKEY::Entry) == 17);
static_assert(offsetof(tagSTSOFTPROGKEY::Entry, KeyID) == 0);
static_assert(offsetof(tagSTSOFTPROGKEY::Entry, Text) == 1);
static_assert(sizeof(tagSTSOFTPROGKEY) == 1700);
static_assert(offsetof(tagSTSOFTPROGKEY, Keys) == 0);

// LARGE_CONF_GROUP and KORVEN_WideConfGroup: the five stored conference
// groups.
typedef struct tagSTSOFTCONFGROUP {
    struct Group {
        char ConfGroupMember[4][22];
        char ConfGroupName[16];
    };
    Group Groups[5];
} STSOFTCONFGROUP;
static_assert(sizeof(tagSTSOFTCONFGROUP::Group) == 104);
static_assert(offsetof(tagSTSOFTCONFGROUP::Group, ConfGroupMember) == 0);
static_assert(offsetof(tagSTSOFTCONFGROUP::Group, ConfGroupName) == 88);
static_assert(sizeof(tagSTSOFTCONFGROUP) == 520);
static_assert(offsetof(tagSTSOFTCONFGROUP, Groups) == 0);

// LARGE_CONF_START: members of the conference that begins.
typedef struct tagSTSOFTCONFSTART {
    unsigned char ConfCode;
    char MemberNumber[4][22];
    unsigned char MemberInfo[4];
} STSOFTCONFSTART;
static_assert(sizeof(tagSTSOFTCONFSTART) == 93);
static_assert(offsetof(tagSTSOFTCONFSTART, ConfCode) == 0);
static_assert(offsetof(tagSTSOFTCONFSTART, MemberNumber) == 1);
static_assert(offsetof(tagSTSOFTCONFSTART, MemberInfo) == 89);

// LARGE_CONF_STATUS: the fields of the conference start, in a record of its
// own.
typedef struct tagSTSOFTCONFSTATUS : tagSTSOFTCONFSTART {
} STSOFTCONFSTATUS;
static_assert(sizeof(tagSTSOFTCONFSTATUS) == sizeof(tagSTSOFTCONFSTART));
static_assert(std::is_standard_layout_v<tagSTSOFTCONFSTATUS>);

// LARGE_CONF_END.
typedef struct tagSTSOFTCONFEND {
    unsigned char ConfCode;
    char MemberNumber[22];
} STSOFTCONFEND;
static_assert(sizeof(tagSTSOFTCONFEND) == 23);
static_assert(offsetof(tagSTSOFTCONFEND, ConfCode) == 0);
static_assert(offsetof(tagSTSOFTCONFEND, MemberNumber) == 1);

// LARGE_SMS_RECV: a received SMS.
typedef struct tagSTSOFTSMSRECV {
    unsigned char reference[4];
    char number[8];
    char text[80];
    unsigned char trailer[5];
} STSOFTSMSRECV;
static_assert(sizeof(tagSTSOFTSMSRECV) == 97);
static_assert(offsetof(tagSTSOFTSMSRECV, reference) == 0);
static_assert(offsetof(tagSTSOFTSMSRECV, number) == 4);
static_assert(offsetof(tagSTSOFTSMSRECV, text) == 12);
static_assert(offsetof(tagSTSOFTSMSRECV, trailer) == 92);

// LARGE_SMS_SENDED: confirmation of a sent SMS; the fields of a received
// SMS, in a record of its own.
typedef struct tagSTSOFTSMSSENDED : tagSTSOFTSMSRECV {
} STSOFTSMSSENDED;
static_assert(sizeof(tagSTSOFTSMSSENDED) == sizeof(tagSTSOFTSMSRECV));
static_assert(std::is_standard_layout_v<tagSTSOFTSMSSENDED>);

// LARGE_SMS_SEND.
typedef struct tagSTSOFTSMSSEND {
    unsigned char reference[4];
    char number[8];
} STSOFTSMSSEND;
static_assert(sizeof(tagSTSOFTSMSSEND) == 12);
static_assert(offsetof(tagSTSOFTSMSSEND, reference) == 0);
static_assert(offsetof(tagSTSOFTSMSSEND, number) == 4);

// LARGE_EXEC_TEXT_RECV: a text received for the executive.
typedef struct tagSTSOFTEXECTEXTRECV {
    char number[8];
    char data[16];
} STSOFTEXECTEXTRECV;
static_assert(sizeof(tagSTSOFTEXECTEXTRECV) == 24);
static_assert(offsetof(tagSTSOFTEXECTEXTRECV, number) == 0);
static_assert(offsetof(tagSTSOFTEXECTEXTRECV, data) == 8);

// LARGE_EXEC_STATE: the executive-secretary state of an extension.
typedef struct tagSTSOFTEXECSTATE {
    char number[8];
    unsigned char state;
} STSOFTEXECSTATE;
static_assert(sizeof(tagSTSOFTEXECSTATE) == 9);
static_assert(offsetof(tagSTSOFTEXECSTATE, number) == 0);
static_assert(offsetof(tagSTSOFTEXECSTATE, state) == 8);

// Programmed display data of one extension: the argument of
// KORVEN_WideExecStateProgramData and one entry of LARGE_EXEC_DATA.
typedef struct tagSTSOFTEXECPROGDATA {
    char phone[8];
    char disp[2][16];
} STSOFTEXECPROGDATA;
static_assert(sizeof(tagSTSOFTEXECPROGDATA) == 40);
static_assert(offsetof(tagSTSOFTEXECPROGDATA, phone) == 0);
static_assert(offsetof(tagSTSOFTEXECPROGDATA, disp) == 8);

// LARGE_EXEC_DATA: programmed display data of four extensions.
typedef struct tagSTSOFTEXECPROGRAMSTATE {
    tagSTSOFTEXECPROGDATA Entries[4];
} STSOFTEXECPROGRAMSTATE;
static_assert(sizeof(tagSTSOFTEXECPROGRAMSTATE) == 160);
static_assert(offsetof(tagSTSOFTEXECPROGRAMSTATE, Entries) == 0);

// LARGE_AUDIO_CTRL: parameters of the audio stream. The meaning of the codes
// and data blocks is the PBX's; they are passed through as received.
typedef struct tagSTSOFTAUDIOCONTROL {
    unsigned char firstCode;
    unsigned char secondCode;
    char address[18];  // dotted IPv4 text
    int port;
    char number[16];
    unsigned char thirdCode;
    unsigned char firstData30[30];
    unsigned char secondData30[30];
    unsigned char fourthCode;
    unsigned char fifthCode;
    unsigned char firstData48[48];
    unsigned char secondData48[48];
} STSOFTAUDIOCONTROL;
static_assert(sizeof(tagSTSOFTAUDIOCONTROL) == 200);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, firstCode) == 0);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, secondCode) == 1);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, address) == 2);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, port) == 20);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, number) == 24);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, thirdCode) == 40);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, firstData30) == 41);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, secondData30) == 71);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, fourthCode) == 101);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, fifthCode) == 102);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, firstData48) == 103);
static_assert(offsetof(tagSTSOFTAUDIOCONTROL, secondData48) == 151);

// LARGE_VIDEO_CTRL: parameters of the video stream. The data blocks,
// algorithms and payloads come only with the long IAP form; the algorithms
// are 0xFF on IAP without it.
typedef struct tagSTSOFTVIDEOCONTROL {
    unsigned char firstCode;
    unsigned char secondCode;  // 1..3 (KORVENHOST) or 1..5 (IAP)
    unsigned char thirdCode;   // 1..2
    char address[17];          // dotted IPv4 text
    int port;
    unsigned char fourthCode;
    int secondValue;
    unsigned char firstData30[30];
    unsigned char secondData30[30];
    unsigned char localAlgorithm;
    unsigned char remoteAlgorithm;
    int localPayload;
    int remotePayload;
    unsigned char firstData48[48];
    unsigned char secondData48[48];
} STSOFTVIDEOCONTROL;
static_assert(sizeof(tagSTSOFTVIDEOCONTROL) == 200);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, firstCode) == 0);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, secondCode) == 1);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, thirdCode) == 2);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, address) == 3);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, port) == 20);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, fourthCode) == 24);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, secondValue) == 28);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, firstData30) == 32);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, secondData30) == 62);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, localAlgorithm) == 92);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, remoteAlgorithm) == 93);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, localPayload) == 96);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, remotePayload) == 100);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, firstData48) == 104);
static_assert(offsetof(tagSTSOFTVIDEOCONTROL, secondData48) == 152);

// LARGE_ERROR_RESP: the PBX refuses a request.
typedef struct tagSTSOFTERRORRESP {
    unsigned char OrgMsgID;  // id of the refused message
    unsigned char ErrorID;
} STSOFTERRORRESP;
static_assert(sizeof(tagSTSOFTERRORRESP) == 2);
static_assert(offsetof(tagSTSOFTERRORRESP, OrgMsgID) == 0);
static_assert(offsetof(tagSTSOFTERRORRESP, ErrorID) == 1);

// LARGE_PHONE_DB5 / LARGE_PHONE_DB5_IAP, and KORVEN_WidePhoneDB5 (which
// sends only Name): MMS and IMPS servers.
typedef struct tagSTSOFTPHONEDB5 {
    char Name[32];  // IAP only
    char MMSAddr[16];
    int MMSPort;
    char IMPSAddr[16];
    int IMPSPort;
} STSOFTPHONEDB5;
static_assert(sizeof(tagSTSOFTPHONEDB5) == 72);
static_assert(offsetof(tagSTSOFTPHONEDB5, Name) == 0);
static_assert(offsetof(tagSTSOFTPHONEDB5, MMSAddr) == 32);
static_assert(offsetof(tagSTSOFTPHONEDB5, MMSPort) == 48);
static_assert(offsetof(tagSTSOFTPHONEDB5, IMPSAddr) == 52);
static_assert(offsetof(tagSTSOFTPHONEDB5, IMPSPort) == 68);

// NORMAL_DGP_DATE: the telephone's date, seven bytes in payload order.
typedef struct tagSTSOFTSYSTEMDATE {
    unsigned char elements[7];
} STSOFTSYSTEMDATE;
static_assert(sizeof(tagSTSOFTSYSTEMDATE) == 7);
static_assert(offsetof(tagSTSOFTSYSTEMDATE, elements) == 0);

// NORMAL_DURATION: the call duration, three bytes in payload order.
typedef struct tagSTSOFTDURATION {
    unsigned char elements[3];
} STSOFTDURATION;
static_assert(sizeof(tagSTSOFTDURATION) == 3);
static_assert(offsetof(tagSTSOFTDURATION, elements) == 0);

// NORMAL_DSP_VALUE: two DSP bytes.
typedef struct tagSTSOFTDSPVALUE {
    unsigned char elements[2];
} STSOFTDSPVALUE;
static_assert(sizeof(tagSTSOFTDSPVALUE) == 2);
static_assert(offsetof(tagSTSOFTDSPVALUE, elements) == 0);

// ---------------------------------------------------------------------------
// Lifecycle and configuration
//
// Every export except KORVEN_GetErrorCode, KORVEN_GetSystemType and both
// KORVEN_EnableIPv6 forms needs a successful KORVEN_Init first and otherwise
// fails with KORVEN_ERR_NOT_INITIALISED.
// ---------------------------------------------------------------------------

// Binds the library to the application window that receives every
// notification. A null window or a system type other than 0/1 fails with
// KORVEN_ERR_INVALID_ARGUMENT. May be repeated: each call clears both
// raw-frame callbacks, drops any open socket and queued frames and restarts
// the dispatch thread; configuration values are kept.
KORVEN_API int KORVEN_Init(HWND appWindow, int systemType, int listenMode);

// UDP port of the PBX (default 6000).
KORVEN_API int KORVEN_SetRecPort(unsigned int port);
KORVEN_API unsigned int KORVEN_GetRecPort();
// Local UDP port the socket binds (default 6000; 0 leaves it unbound).
KORVEN_API int KORVEN_SetListenPort(unsigned int port);
KORVEN_API unsigned int KORVEN_GetListenPort();

// Dotted IPv4 text of the PBX; fewer than 7 characters is
// KORVEN_ERR_INVALID_ARGUMENT.
KORVEN_API int KORVEN_SetSendIP(char* ip);
// Copy the address text into buf (at most size bytes); a size below 7 is
// KORVEN_ERR_BUFFER_TOO_SMALL.
KORVEN_API int KORVEN_GetSendIP(char* buf, int size);
// Overrides the local address found at load.
KORVEN_API int KORVEN_SetLocalIP(char* ip);
KORVEN_API int KORVEN_GetLocalIP(char* buf, int size);

// Station user ID, stored trimmed of surrounding blanks in 8 bytes.
KORVEN_API int KORVEN_SetUserID(char* id);
KORVEN_API int KORVEN_GetUserID(char* buf, int size);
// Station password, at most 8 bytes.
KORVEN_API int KORVEN_SetUserPassword(char* password);
KORVEN_API int KORVEN_GetUserPassword(char* buf, int size);

// Keep-alive period in ms, kept for the application (the library has no
// timer); must be above 1000. An IAP registration answer overwrites it.
KORVEN_API int KORVEN_SetAliveLinkTime(unsigned int milliseconds);
KORVEN_API unsigned int KORVEN_GetAliveLinkTime();

// Stored and reported only; mode above 2 is KORVEN_ERR_INVALID_ARGUMENT.
KORVEN_API int KORVEN_SetNetworkMode(int mode);
KORVEN_API int KORVEN_GetNetworkMode();

// KorvenSystemType given to KORVEN_Init (0 before it).
KORVEN_API int KORVEN_GetSystemType();

// KorvenWindowMessageType; above 1 is KORVEN_ERR_INVALID_ARGUMENT.
KORVEN_API int KORVEN_SetWindowMessageType(int type);
KORVEN_API int KORVEN_GetWindowMessageType();

// Sender filter, off by default (and kept across KORVEN_Init). With 1, a
// datagram that reaches the library's socket in socket mode from any address
// but the PBX's (SendIP, any port; on IAP also the address the PBX announced
// when it accepted the registration) is dropped before it is parsed and not
// offered to the receive callback; drops are logged at most once a second.
// In callback mode the application chooses what it feeds, so nothing is
// filtered. 0 turns it off; any other value is KORVEN_ERR_INVALID_ARGUMENT.
// Clears the error code on success.
KORVEN_API int KORVEN_SetAcceptPbxOnly(int acceptPbxOnly);

// IPv6 is not supported: setting always fails with
// KORVEN_ERR_NOT_AVAILABLE_IN_MODE, reading returns 0.
KORVEN_API int KORVEN_EnableIPv6(int enable);
KORVEN_API int KORVEN_EnableIPv6();

// The code of the last failure, or 0; reading it does not clear it.
KORVEN_API int KORVEN_GetErrorCode();

// Diagnostic log: 0 off, any other value on (on from load). Turning it on
// creates the daily log file if none is open.
KORVEN_API int KORVEN_SetLogLevel(int level);
KORVEN_API int KORVEN_GetLogLevel();

// The library's version text; size below 100 is KORVEN_ERR_BUFFER_TOO_SMALL.
KORVEN_API int KORVEN_GetVersion(char* buf, int size);

// ---------------------------------------------------------------------------
// Transport
// ---------------------------------------------------------------------------

// Handle of the signalling socket; KORVEN_ERR_NO_SOCKET before
// KORVEN_WidePhoneStart or after a failed send.
KORVEN_API int KORVEN_GetSignalSocketSoc();

// Register the callback offered every received datagram (receive) or every
// frame handed to a send step (send). Null is KORVEN_ERR_INVALID_ARGUMENT
// (checked before initialisation). Only KORVEN_Init unregisters them.
KORVEN_API int KORVEN_CallBackRegFnRecvLawPacket(LawPacketCallback callback);
KORVEN_API int KORVEN_CallBackRegFnSendLawPacket(LawPacketCallback callback);

// Callback mode only (else KORVEN_ERR_NOT_AVAILABLE_IN_MODE): queues a copy of
// a frame from the PBX for decoding on the dispatch thread and returns at
// once. A null frame or length 0 is KORVEN_ERR_INVALID_ARGUMENT.
KORVEN_API int KORVEN_DispatchRecvLawPacket(void* frame, int length);

// ---------------------------------------------------------------------------
// Requests to the PBX
//
// Each builds and sends one frame (KORVEN_WideConfDial two) and returns 0, or
// -1 with KORVEN_ERR_NO_SOCKET / KORVEN_ERR_SEND_FAILED when the socket send
// fails; a failed send closes the socket until the next
// KORVEN_WidePhoneStart. Integer arguments travel as their low 8 bits,
// numbers as packed digits. Requests that exist for one system type only fail
// on the other with KORVEN_ERR_NOT_FOR_IAP or KORVEN_ERR_NOT_FOR_KORVENHOST
// and send nothing.
// ---------------------------------------------------------------------------

// Opens the signalling socket anew and registers the softphone. Needs a send
// IP (KORVEN_ERR_SEND_IP_NOT_SET) and a user ID (KORVEN_ERR_USER_ID_NOT_SET);
// socket failures leave codes 11007 to 11012. On IAP it first waits 100 to
// 2099 ms while dispatching the calling thread's window messages.
KORVEN_API int KORVEN_WidePhoneStart();
// These two leave an earlier error code in place on success.
KORVEN_API int KORVEN_WideInitialReq();
KORVEN_API int KORVEN_WideInitialEnd();
// Alternates between the signalling port and a datagram from local port
// 9000; a failed port-9000 turn still succeeds.
KORVEN_API int KORVEN_WideLinkTest();

KORVEN_API int KORVEN_WideEventData(int type, int id);
KORVEN_API int KORVEN_WideProgramBusy(int busy);
// Dials number (empty is KORVEN_ERR_INVALID_ARGUMENT); trunkType points to 2
// bytes.
KORVEN_API int KORVEN_WideDigitStr(const char* number, int hookType, unsigned char* trunkType);
// Acknowledges the Large message reqId.
KORVEN_API int KORVEN_WideDataReq(int reqId);
KORVEN_API int KORVEN_WideSoftkey(int id);
KORVEN_API int KORVEN_WideProgkey(int id);
// KORVENHOST only.
KORVEN_API int KORVEN_WideEnblockHandsetMode(int status);
// KORVENHOST only; leaves an earlier error code in place on success.
KORVEN_API int KORVEN_WideVideoUpdate();

// KORVENHOST only: stores the five conference groups.
KORVEN_API int KORVEN_WideConfGroup(tagSTSOFTCONFGROUP* groups);
// members: 4 texts of 22 characters (88 bytes, the shape of
// ConfGroupMember). Sends the member list, then the dial command.
KORVEN_API int KORVEN_WideConfDial(const char* members);
KORVEN_API int KORVEN_WideConfDelete(int index);
KORVEN_API int KORVEN_WideConfAdd(int memIndex, const char* number);
// KORVENHOST only; the first 8 digits of number.
KORVEN_API int KORVEN_WideConfNewMaster(const char* number);

// Executive-secretary requests, KORVENHOST only. Extension numbers travel as
// their first 8 digits.
// texts: 10 preset texts of 16 bytes (160 bytes).
KORVEN_API int KORVEN_WideExecSecrTextSave(const char* texts);
KORVEN_API int KORVEN_WideExecSecrTextSend(const char* telNo, int textNo);
KORVEN_API int KORVEN_WideExecTextRead(const char* tel);
KORVEN_API int KORVEN_WideExecStateProgramData(tagSTSOFTEXECPROGDATA* data);
KORVEN_API int KORVEN_WideExecState(const char* phone, int state);
// Both system types; at most 80 characters of sms are sent.
KORVEN_API int KORVEN_WideSmsSend(const char* target, const char* sms);

// layout: the phone database 0 layout of the current system type, as
// KORVEN_GetLargePhoneDB0 delivers it; bytes it does not cover go back as the
// PBX last sent them.
KORVEN_API int KORVEN_WidePhoneDB0(void* layout);
// IAP only: sends the Name field.
KORVEN_API int KORVEN_WidePhoneDB5(tagSTSOFTPHONEDB5* db5);
// KORVENHOST only; messages: 5 absence texts of 16 bytes (80 bytes).
KORVEN_API int KORVEN_WideAbsentProgramMsg(const char* messages);

// ---------------------------------------------------------------------------
// Large getters
//
// Called on "Softphone LARGE EVENT". Each copies the record of the last
// message of its id (zero before any) and returns 0, or the value itself.
// The caller provides room for the whole record or the buffer size given; a
// null pointer is refused with KORVEN_ERR_INVALID_ARGUMENT.
// ---------------------------------------------------------------------------

KORVEN_API int KORVEN_GetLargeVersionCheck(tagSTSOFTVERSIONCHECK* out);
// Initial-end identifier, 0 to 255.
KORVEN_API int KORVEN_GetLargeInitialEndID();

// KorvenCallResponse and KorvenCallStatus values, 0 to 255.
KORVEN_API int KORVEN_GetLargeCallResponseStatus();
KORVEN_API int KORVEN_GetLargeCallStatus();
KORVEN_API int KORVEN_GetLargeIdleStatusInfo(tagSTSOFTIDLEINFO* out);
KORVEN_API int KORVEN_GetLargeCallNumber(tagSTSOFTCALLNUMBER* out);
KORVEN_API int KORVEN_GetLargeDialNumber(tagSTSOFTDIALNUMBER* out);

// KORVENHOST only; 160 bytes.
KORVEN_API int KORVEN_GetLargeAddOnOffOptionDisp(char* out);
// 320 bytes: program messages 1 to 20, 16 bytes each.
KORVEN_API int KORVEN_GetLargeAbsentProgramMsg(char* out);
// 14 bytes: the label of menu menuId (0 to 255) and a terminator.
KORVEN_API int KORVEN_GetLargeSoftMenuDisplay(int menuId, char* out);
KORVEN_API int KORVEN_GetLargeSoftList(tagSTSOFTSOFTTLIST* out);
KORVEN_API int KORVEN_GetLargeProgramKey(tagSTSOFTPROGKEY* out);

// 246 bytes of room; 246 (KORVENHOST) or 105 (IAP) bytes are written.
KORVEN_API int KORVEN_GetLargePhoneDB0(void* out);

// KORVENHOST only.
KORVEN_API int KORVEN_GetLargeConfGroup(tagSTSOFTCONFGROUP* out);
KORVEN_API int KORVEN_GetLargeConfStart(tagSTSOFTCONFSTART* out);
KORVEN_API int KORVEN_GetLargeConfStatus(tagSTSOFTCONFSTATUS* out);
KORVEN_API int KORVEN_GetLargeConfEnd(tagSTSOFTCONFEND* out);

// 128 bytes.
KORVEN_API int KORVEN_GetLargeButtonLED(char* out);
// The announced news length (may exceed 298) and 298 bytes of text.
KORVEN_API int KORVEN_GetLargeSpotNews(int* length, unsigned char* text);
// The news-show flag.
KORVEN_API int KORVEN_GetLargeSpotNewsDispInfo();
KORVEN_API int KORVEN_GetLargeIdleSoftList(tagSTSOFTSOFTTLIST* out);

// The six executive-secretary getters are KORVENHOST only.
// 160 bytes: 10 preset texts of 16 bytes.
KORVEN_API int KORVEN_GetLargeExecTextMsg(char* out);
KORVEN_API int KORVEN_GetLargeExecTextRecv(tagSTSOFTEXECTEXTRECV* out);
// 8 bytes: the confirmed extension number.
KORVEN_API int KORVEN_GetLargeExecTextRead(char* out);
KORVEN_API int KORVEN_GetLargeExecState(tagSTSOFTEXECSTATE* out);
// 128 bytes.
KORVEN_API int KORVEN_GetLargeExecFixedStateData(char* out);
KORVEN_API int KORVEN_GetLargeExecProgramStateData(tagSTSOFTEXECPROGRAMSTATE* out);
KORVEN_API int KORVEN_GetLargeSmsRecv(tagSTSOFTSMSRECV* out);
KORVEN_API int KORVEN_GetLargeSmsSend(tagSTSOFTSMSSEND* out);
KORVEN_API int KORVEN_GetLargeSmsSended(tagSTSOFTSMSSENDED* out);

KORVEN_API int KORVEN_GetLargeAudioControl(tagSTSOFTAUDIOCONTROL* out);
KORVEN_API int KORVEN_GetLargeVideoControl(tagSTSOFTVIDEOCONTROL* out);

KORVEN_API int KORVEN_GetLargeSystemErrorResponse(tagSTSOFTERRORRESP* out);
// IAP only; 16 bytes.
KORVEN_API int KORVEN_GetLargeDBUpdateID(char* out);
KORVEN_API int KORVEN_GetLargePhoneDB5(tagSTSOFTPHONEDB5* out);

// ---------------------------------------------------------------------------
// Normal getters
//
// Called on "Softphone NORMAL EVENT"; same rules as the Large getters.
// ---------------------------------------------------------------------------

KORVEN_API int KORVEN_GetNormalSystemDate(tagSTSOFTSYSTEMDATE* out);
KORVEN_API int KORVEN_GetNormalDuration(tagSTSOFTDURATION* out);
// 1 muted, 0 not.
KORVEN_API int KORVEN_GetNormalPhoneMute();
KORVEN_API int KORVEN_GetNormalPageAll();
KORVEN_API int KORVEN_GetNormalPhoneTone();
KORVEN_API int KORVEN_GetNormalPhoneBTone();
// 0 to 9.
KORVEN_API int KORVEN_GetNormalPhoneRing();
KORVEN_API int KORVEN_GetNormalPhoneBRing();
KORVEN_API int KORVEN_GetNormalPhoneRingLED();
KORVEN_API int KORVEN_GetNormalAudioCodecDspValue(tagSTSOFTDSPVALUE* out);
// The two display lines (50 bytes of room each, zero-terminated, in the
// user's narrow character set), the cursor flag (0/1) and cursor position.
KORVEN_API int KORVEN_GetNormalPhoneLCDDisp(char* line1, char* line2, int* cursorOn, int* cursorPos);
