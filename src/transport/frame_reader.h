// Bounded access to frame bytes: a reader that never looks past the bytes
// actually received and a writer that never writes past its buffer.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace korven {

// Read-only view of a received frame. Every position at or past `received`
// reads as 0, so decoders may read a layout whole even from a short frame.
class FrameReader {
public:
    FrameReader(const uint8_t* data, size_t received) : data_(data), size_(data != nullptr ? received : 0) {}

    size_t size() const { return size_; }

    // True when the n bytes from pos were all received.
    bool has(size_t pos, size_t n) const { return pos <= size_ && n <= size_ - pos; }

    uint8_t u8(size_t pos) const { return at(pos, 0); }

    uint16_t be16(size_t pos) const { return static_cast<uint16_t>(at(pos, 0) << 8 | at(pos, 1)); }

    // Copies n bytes from pos into dst; bytes not received are copied as 0.
    void bytes(size_t pos, uint8_t* dst, size_t n) const {
        const size_t available = pos < size_ ? std::min(n, size_ - pos) : 0;
        if (available > 0) std::memcpy(dst, data_ + pos, available);
        std::fill_n(dst + available, n - available, uint8_t{0});
    }

private:
    // Byte pos + k, written so that no sum can wrap around.
    uint8_t at(size_t pos, size_t k) const { return pos < size_ && k < size_ - pos ? data_[pos + k] : 0; }

    const uint8_t* data_;
    size_t size_;
};

// Writes into a fixed buffer. A write that does not fit whole is dropped
// whole, so no value is ever left half written; each call reports whether
// it was performed.
class FrameWriter {
public:
    FrameWriter(uint8_t* buf, size_t capacity) : buf_(buf), capacity_(buf != nullptr ? capacity : 0) {}

    size_t capacity() const { return capacity_; }

    bool fits(size_t pos, size_t n) const { return pos <= capacity_ && n <= capacity_ - pos; }

    bool put8(size_t pos, uint8_t v) { return fill(pos, 1, v); }

    bool putBe16(size_t pos, uint16_t v) {
        const uint8_t bytes[2] = {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v & 0xFF)};
        return putBytes(pos, bytes, 2);
    }

    bool putBytes(size_t pos, const uint8_t* src, size_t n) {
        if (!fits(pos, n)) return false;
        if (n > 0) std::memcpy(buf_ + pos, src, n);
        return true;
    }

    bool fill(size_t pos, size_t n, uint8_t v) {
        if (!fits(pos, n)) return false;
        std::fill_n(buf_ + pos, n, v);
        return true;
    }

private:
    uint8_t* buf_;
    size_t capacity_;
};

}  // namespace korven
