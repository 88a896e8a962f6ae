// Descriptions of Windows Sockets error numbers for the socket layer's
// trace, as bytes of code page 949.
#pragma once

#include <cstddef>

namespace korven {

// Room for the longest description and its terminator.
constexpr size_t kWinsockErrorTextSize = 263;

// Writes the description of code into text (empty for 0 and
// WSAEWOULDBLOCK; the "unknown error" text with the number for codes
// outside the table). Returns whether the error is one that the caller
// resets to 0 after describing it.
bool DescribeWinsockError(int code, char (&text)[kWinsockErrorTextSize]);

// True for the receive errors that concern one datagram, not the socket: a
// datagram longer than the buffer (WSAEMSGSIZE) and the ICMP reports of an
// earlier send (WSAECONNRESET, WSAECONNREFUSED, WSAENETRESET for an expired
// TTL, WSAENETUNREACH, WSAEHOSTUNREACH). The socket goes on receiving.
bool ConcernsOneDatagram(int code);

}  // namespace korven
