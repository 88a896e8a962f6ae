// The UDP endpoint towards the PBX: its socket, destination and receive thread.
#pragma once

class CKorvenSignalLibApp;

class CKRVPWinsock {
public:
    explicit CKRVPWinsock(CKorvenSignalLibApp* owner);
    virtual ~CKRVPWinsock();
    CKRVPWinsock(const CKRVPWinsock&) = delete;
    CKRVPWinsock& operator=(const CKRVPWinsock&) = delete;

    // Safe to call when nothing is open.
    void CloseSocket();

private:
    CKorvenSignalLibApp* owner_;
};
