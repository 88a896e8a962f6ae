#include "transport/udp_endpoint.h"

CKRVPWinsock::CKRVPWinsock(CKorvenSignalLibApp* owner) : owner_(owner) {}

CKRVPWinsock::~CKRVPWinsock() { CloseSocket(); }

void CKRVPWinsock::CloseSocket() { (void)owner_; }
