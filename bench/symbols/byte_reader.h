// Little-endian reading of a file's bytes with every read bounds-checked: a read past the end
// gives 0 and marks the reader failed, so a damaged or foreign file yields no answer, never a
// crash or a read outside the buffer.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

class ByteReader {
 public:
  ByteReader(const std::string& bytes, size_t begin, size_t end)
      : bytes_(bytes), pos_(begin), end_(end < bytes.size() ? end : bytes.size()) {}

  bool ok() const { return ok_; }
  bool AtEnd() const { return !ok_ || pos_ >= end_; }
  size_t position() const { return pos_; }
  size_t end() const { return end_; }
  void Seek(size_t pos) { pos <= end_ ? void(pos_ = pos) : Fail(); }
  void Skip(uint64_t count) { count <= end_ - pos_ ? void(pos_ += count) : Fail(); }

  uint32_t U8() { return Take(1); }
  uint32_t U16() { return Take(2); }
  uint32_t U32() { return Take(4); }
  uint64_t Uleb() { return Leb(false); }
  int64_t Sleb() { return static_cast<int64_t>(Leb(true)); }

  // A zero-terminated string; one that runs past the end fails.
  std::string CString() {
    std::string text;
    for (char c; ok_ && (c = static_cast<char>(U8())) != 0;) text += c;
    return text;
  }

 private:
  void Fail() { ok_ = false, pos_ = end_; }

  uint32_t Take(int count) {
    if (end_ - pos_ < static_cast<size_t>(count)) return Fail(), 0;
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
      value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes_[pos_++])) << (8 * i);
    return value;
  }

  // DWARF's variable-length numbers, 7 bits a byte; bits beyond 64 are dropped.
  uint64_t Leb(bool is_signed) {
    uint64_t value = 0;
    unsigned shift = 0;
    uint32_t byte;
    do {
      byte = U8();
      if (shift < 64) value |= static_cast<uint64_t>(byte & 0x7F) << shift;
      shift += 7;
    } while (ok_ && (byte & 0x80));
    if (is_signed && shift < 64 && (byte & 0x40)) value |= ~uint64_t{0} << shift;
    return value;
  }

  const std::string& bytes_;
  size_t pos_, end_;
  bool ok_ = true;
};

}  // namespace bench
