// Ports, addresses, credentials and modes: the Set/Get configuration exports.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "KorvenSignalLib.h"
#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "core/text_fields.h"

namespace {

constexpr size_t kIpTextMax = 29;
constexpr int kMinIpText = 7;

CKorvenSignalLibApp& App() { return theApp(); }

int Succeed(const char* endLine, bool clearError) {
    if (clearError) App().errorCode = 0;
    WriteLog("%s", endLine);
    return 0;
}

const char* TypeName(int type, const char* nonzero, const char* zero) { return type ? nonzero : zero; }

// Getter of a text field: null buffer is an invalid argument.
int GetText(char* buf, int size, int minSize, const char* field, size_t fieldSize, const char* endFormat) {
    CKorvenSignalLibApp& app = App();
    if (!app.RequireInitialised()) return -1;
    if (buf == nullptr) return app.Fail(KORVEN_ERR_INVALID_ARGUMENT);
    if (size < minSize) return app.Fail(KORVEN_ERR_BUFFER_TOO_SMALL);
    std::string shown;
    {
        std::lock_guard<std::mutex> guard(app.configLock);
        korven::CopyField(buf, size, field, fieldSize);
        shown.assign(field, strnlen(field, fieldSize));
    }
    WriteLog(endFormat, shown.c_str());
    return 0;
}

int SetIpText(char* field, const char* ip, const char* endLine) {
    std::lock_guard<std::mutex> guard(App().configLock);
    korven::StoreText(field, 30, ip, kIpTextMax);
    WriteLog("%s", endLine);
    return 0;
}

}  // namespace

int KORVEN_SetRecPort(unsigned int port) {
    WriteLog("[FN-BEGIN]KORVEN_SetRecPort : Port[%d]", port);
    if (!App().RequireInitialised()) return -1;
    App().recPort = port;
    return Succeed("[FN-END]KORVEN_SetRecPort", true);
}

unsigned int KORVEN_GetRecPort() {
    WriteLog("[FN-BEGIN]KORVEN_GetRecPort");
    if (!App().RequireInitialised()) return 0xFFFFFFFFu;
    const unsigned port = App().recPort;
    WriteLog("[FN-END]KORVEN_GetRecPort : RecPort[%d]", port);
    return port;
}

int KORVEN_SetListenPort(unsigned int port) {
    WriteLog("[FN-BEGIN]KORVEN_SetListenPort : Port[%d]", port);
    if (!App().RequireInitialised()) return -1;
    App().listenPort = port;
    return Succeed("[FN-END]KORVEN_SetListenPort", false);
}

unsigned int KORVEN_GetListenPort() {
    WriteLog("[FN-BEGIN]KORVEN_GetListenPort");
    if (!App().RequireInitialised()) return 0xFFFFFFFFu;
    const unsigned port = App().listenPort;
    WriteLog("[FN-END]KORVEN_GetListenPort : Port[%d]", port);
    return port;
}

int KORVEN_SetSendIP(char* ip) {
    WriteLog("[FN-BEGIN]KORVEN_SetSendIP : SendIP[%s]", ip ? ip : "(null)");
    if (!App().RequireInitialised()) return -1;
    if (ip == nullptr || strnlen(ip, kMinIpText) < static_cast<size_t>(kMinIpText)) {
        return App().Fail(KORVEN_ERR_INVALID_ARGUMENT);
    }
    return SetIpText(App().sendIP, ip, "[FN-END]KORVEN_SetSendIP");
}

int KORVEN_GetSendIP(char* buf, int size) {
    WriteLog("[FN-BEGIN]KORVEN_GetSendIP");
    return GetText(buf, size, kMinIpText, App().sendIP, sizeof App().sendIP, "[FN-END]KORVEN_GetSendIP : SendIP[%s]");
}

int KORVEN_SetLocalIP(char* ip) {
    WriteLog("[FN-BEGIN]KORVEN_SetLocalIP : LocalIP [%s]", ip ? ip : "(null)");
    if (!App().RequireInitialised()) return -1;
    if (ip == nullptr) return App().Fail(KORVEN_ERR_INVALID_ARGUMENT);
    return SetIpText(App().localIP, ip, "[FN-END]KORVEN_SetLocalIP");
}

int KORVEN_GetLocalIP(char* buf, int size) {
    WriteLog("[FN-BEGIN]KORVEN_GetLocalIP");
    return GetText(buf, size, kMinIpText, App().localIP, sizeof App().localIP,
                   "[FN-END]KORVEN_GetLocalIP : LocalIP[%s]");
}

int KORVEN_SetUserID(char* id) {
    WriteLog("[FN-BEGIN]KORVEN_SetUserID : UserID[%s]", id ? id : "(null)");
    if (!App().RequireInitialised()) return -1;
    if (id == nullptr) return App().Fail(KORVEN_ERR_INVALID_ARGUMENT);
    // Left-justified to eight characters, then trimmed: surrounding blanks go.
    std::string text(id);
    const auto first = text.find_first_not_of(" \t\r\n\v\f");
    const auto last = text.find_last_not_of(" \t\r\n\v\f");
    text = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    {
        std::lock_guard<std::mutex> guard(App().configLock);
        korven::StoreText(App().userID, sizeof App().userID, text.c_str(), sizeof App().userID);
    }
    return Succeed("[FN-END]KORVEN_SetUserID", false);
}

int KORVEN_GetUserID(char* buf, int size) {
    WriteLog("[FN-BEGIN]KORVEN_GetUserID");
    return GetText(buf, size, 0, App().userID, sizeof App().userID, "[FN-END]KORVEN_GetUserID : ID[%s]");
}

int KORVEN_SetUserPassword(char* password) {
    WriteLog("[FN-BEGIN]KORVEN_SetUserPassword : Password[****]");
    if (!App().RequireInitialised()) return -1;
    if (password == nullptr) return App().Fail(KORVEN_ERR_INVALID_ARGUMENT);
    {
        std::lock_guard<std::mutex> guard(App().configLock);
        korven::StoreText(App().userPassword, sizeof App().userPassword, password, sizeof App().userPassword);
    }
    return Succeed("[FN-END]KORVEN_SetUserPassword", false);
}

int KORVEN_GetUserPassword(char* buf, int size) {
    WriteLog("[FN-BEGIN]KORVEN_GetUserPassword");
    const int result = GetText(buf, size, 0, App().userPassword, sizeof App().userPassword,
                               "[FN-END]KORVEN_GetUserPassword : Password[****]");
    if (result == 0) App().errorCode = 0;
    return result;
}

int KORVEN_SetAliveLinkTime(unsigned int milliseconds) {
    WriteLog("[FN-BEGIN]KORVEN_SetAliveLinkTime : Time[%d]", milliseconds);
    if (!App().RequireInitialised()) return -1;
    if (milliseconds <= 1000) return App().Fail(KORVEN_ERR_INVALID_ARGUMENT);
    App().aliveLinkTime = milliseconds;
    return Succeed("[FN-END]KORVEN_SetAliveLinkTime", true);
}

unsigned int KORVEN_GetAliveLinkTime() {
    WriteLog("[FN-BEGIN]KORVEN_GetAliveLinkTime");
    if (!App().RequireInitialised()) return 0xFFFFFFFFu;
    const unsigned milliseconds = App().aliveLinkTime;
    App().errorCode = 0;
    WriteLog("[FN-END]KORVEN_GetAliveLinkTime : Time[%d]", milliseconds);
    return milliseconds;
}

int KORVEN_SetNetworkMode(int mode) {
    WriteLog("[FN-BEGIN]KORVEN_SetNetworkMode : Mode[%d]", mode);
    if (!App().RequireInitialised()) return -1;
    if (mode > 2) return App().Fail(KORVEN_ERR_INVALID_ARGUMENT);
    App().networkMode = mode;
    return Succeed("[FN-END]KORVEN_SetNetworkMode", true);
}

int KORVEN_GetNetworkMode() {
    WriteLog("[FN-BEGIN]KORVEN_GetNetworkMode");
    if (!App().RequireInitialised()) return -1;
    const int mode = App().networkMode;
    App().errorCode = 0;
    WriteLog("[FN-END]KORVEN_GetNetworkMode : Mode[%d]", mode);
    return mode;
}

int KORVEN_GetSystemType() {
    WriteLog("[FN-BEGIN]KORVEN_GetSystemType");
    const int type = App().systemType;
    App().errorCode = 0;
    WriteLog("[FN-END]KORVEN_GetSystemType : SystemType [%d:%s]", type, TypeName(type, "IAP", "KORVENHOST"));
    return type;
}

int KORVEN_SetWindowMessageType(int type) {
    WriteLog("[FN-BEGIN]KORVEN_SetWindowMessageType : Type[%d:%s]", type, TypeName(type, "POST", "SEND"));
    if (!App().RequireInitialised()) return -1;
    if (type > 1) return App().Fail(KORVEN_ERR_INVALID_ARGUMENT);
    App().windowMessageType = type;
    return Succeed("[FN-END]KORVEN_SetWindowMessageType", true);
}

int KORVEN_GetWindowMessageType() {
    WriteLog("[FN-BEGIN]KORVEN_GetWindowMessageType");
    if (!App().RequireInitialised()) return -1;
    const int type = App().windowMessageType;
    App().errorCode = 0;
    WriteLog("[FN-END]KORVEN_GetWindowMessageType : SendAppMsgType [%d:%s]", type, TypeName(type, "POST", "SEND"));
    return type;
}

int KORVEN_SetAcceptPbxOnly(int acceptPbxOnly) {
    WriteLog("[FN-BEGIN]KORVEN_SetAcceptPbxOnly : Accept[%d]", acceptPbxOnly);
    if (!App().RequireInitialised()) return -1;
    if (acceptPbxOnly != 0 && acceptPbxOnly != 1) return App().Fail(KORVEN_ERR_INVALID_ARGUMENT);
    App().acceptPbxOnly = acceptPbxOnly;
    return Succeed("[FN-END]KORVEN_SetAcceptPbxOnly", true);
}

int KORVEN_EnableIPv6(int) {
    WriteLog("[FN-BEGIN]KORVEN_EnableIPv6 - SET");
    App().errorCode = KORVEN_ERR_NOT_AVAILABLE_IN_MODE;
    WriteLog("[FN-END]KORVEN_EnableIPv6 - SET");
    return -1;
}

int KORVEN_EnableIPv6() {
    WriteLog("[FN-BEGIN]KORVEN_EnableIPv6 - GET");
    WriteLog("[FN-END]KORVEN_EnableIPv6 - GET");
    return 0;
}

int KORVEN_GetErrorCode() {
    WriteLog("[FN-BEGIN]KORVEN_GetErrorCode");
    const int code = App().errorCode;
    WriteLog("[FN-END]KORVEN_GetErrorCode: Code[%d]", code);
    return code;
}
