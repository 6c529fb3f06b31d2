#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "io/Extended80.h"

namespace tavrin {

// Little-endian writing into a byte string.
class ByteWriter {
 public:
  void U8(uint8_t v) { out_.push_back(static_cast<char>(v)); }
  void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void U32(uint32_t v) {
    for (int k = 0; k < 4; ++k) U8(static_cast<uint8_t>(v >> (8 * k)));
  }
  void Real(long double x) {
    uint8_t b[10];
    Extended80ToBytes(x, b);
    out_.append(reinterpret_cast<const char*>(b), 10);
  }
  void Raw(const void* p, size_t n) { out_.append(static_cast<const char*>(p), n); }
  void Zeros(size_t n) { out_.append(n, '\0'); }
  std::string& Bytes() { return out_; }

 private:
  std::string out_;
};

// Little-endian reading with bounds checks: a read past the end fails and
// leaves the reader failed for good.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : in_(bytes) {}
  bool ok() const { return ok_; }
  size_t Remaining() const { return ok_ ? in_.size() - pos_ : 0; }
  bool Skip(size_t n) {
    if (!Need(n)) return false;
    pos_ += n;
    return true;
  }
  uint8_t U8() {
    if (!Need(1)) return 0;
    return static_cast<uint8_t>(in_[pos_++]);
  }
  uint16_t U16() {
    if (!Need(2)) return 0;
    uint16_t v = static_cast<uint16_t>(Byte(0) | (Byte(1) << 8));
    pos_ += 2;
    return v;
  }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  uint32_t U32() {
    if (!Need(4)) return 0;
    uint32_t v = Byte(0) | (Byte(1) << 8) | (Byte(2) << 16) | (static_cast<uint32_t>(Byte(3)) << 24);
    pos_ += 4;
    return v;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  long double Real() {
    if (!Need(10)) return 0.0L;
    uint8_t b[10];
    std::memcpy(b, in_.data() + pos_, 10);
    pos_ += 10;
    return Extended80FromBytes(b);
  }
  bool Raw(void* p, size_t n) {
    if (!Need(n)) return false;
    std::memcpy(p, in_.data() + pos_, n);
    pos_ += n;
    return true;
  }

 private:
  bool Need(size_t n) {
    if (ok_ && in_.size() - pos_ >= n) return true;
    ok_ = false;
    return false;
  }
  uint32_t Byte(size_t k) const { return static_cast<uint8_t>(in_[pos_ + k]); }
  std::string_view in_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace tavrin
