// RecvPacketParser: the common entry of every received frame, by either road.
#pragma once

#include <cstddef>
#include <cstdint>

class CKorvenSignalLibApp;

// Drops a frame whose header announces more than 512 bytes (with the size
// line), dumps it to the trace and hands it by its class to the Normal or
// Large decoder; other classes end after the dump. Nothing past the
// `received` bytes is ever read, whatever the header's length says. The
// caller holds the parser lock.
void RecvPacketParser(CKorvenSignalLibApp& app, const uint8_t* frame, size_t received);
