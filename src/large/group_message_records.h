// Records of conference, indicator, text/SMS/executive-secretary, media
// and system messages.
#pragma once

#include <cstdint>

#include "KorvenSignalLib.h"

struct ConferenceRecords {
    tagSTSOFTCONFGROUP group = {};
    tagSTSOFTCONFSTART start = {};
    tagSTSOFTCONFSTATUS status = {};
    tagSTSOFTCONFEND end = {};
};

struct IndicatorRecords {
    uint8_t buttonLed[KORVEN_BUTTON_LED_SIZE] = {};
    // The announced length, kept also when it exceeds the text's room.
    int spotNewsLength = 0;
    uint8_t spotNews[KORVEN_SPOT_NEWS_SIZE] = {};
    int newsShow = 0;
    tagSTSOFTSOFTTLIST idleSoftList = {};
};

struct TextSmsRecords {
    tagSTSOFTSMSRECV smsRecv = {};
    tagSTSOFTSMSSEND smsSend = {};
    tagSTSOFTSMSSENDED smsSended = {};
    char execTextMsg[KORVEN_EXEC_TEXT_MSG_SIZE] = {};
    tagSTSOFTEXECTEXTRECV execTextRecv = {};
    char execTextRead[KORVEN_EXEC_TEXT_READ_SIZE] = {};
    tagSTSOFTEXECSTATE execState = {};
    char execFixedState[KORVEN_EXEC_FIXED_STATE_SIZE] = {};
    tagSTSOFTEXECPROGRAMSTATE execProgramState = {};
};

struct MediaRecords {
    tagSTSOFTAUDIOCONTROL audio = {};
    tagSTSOFTVIDEOCONTROL video = {};
};

struct SystemLinkRecords {
    tagSTSOFTERRORRESP errorResp = {};
    char dbUpdateId[KORVEN_DB_UPDATE_ID_SIZE] = {};
    tagSTSOFTPHONEDB5 phoneDB5 = {};
};

struct GroupMessageRecords {
    ConferenceRecords conference;
    IndicatorRecords indicator;
    TextSmsRecords textSms;
    MediaRecords media;
    SystemLinkRecords systemLink;
};
