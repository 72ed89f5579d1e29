#include "bench/clickmap/bitmap_info.h"

#include <cstdint>

#include "bench/symbols/byte_reader.h"

namespace bench::clickmap {
namespace {

constexpr uint32_t kInfoHeader = 40;  // BITMAPINFOHEADER; V4 and V5 headers are longer
constexpr uint32_t kRgb = 0, kBitFields = 3;

BitmapInfo Refused(const std::string& why) {
  BitmapInfo info;
  info.why = why;
  return info;
}

}  // namespace

BitmapInfo ReadBitmapInfo(const std::string& bytes) {
  ByteReader r(bytes, 0, bytes.size());
  if (r.U8() != 'B' || r.U8() != 'M') return Refused("not a bitmap (no BM at its start)");
  r.Skip(8);
  uint32_t pixels = r.U32(), header = r.U32();
  int32_t width = static_cast<int32_t>(r.U32()), height = static_cast<int32_t>(r.U32());
  uint32_t planes = r.U16(), bits = r.U16(), compression = r.U32();
  if (!r.ok() || header < kInfoHeader) return Refused("its header is cut short");
  if (planes != 1 ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
    return Refused(std::to_string(bits) + " bits a pixel is no bitmap format");
  if (compression != kRgb && compression != kBitFields)
    return Refused("compressed bitmaps are not drawn; save it uncompressed");
  // Rows are padded to four bytes; the image must fit in the file after its pixel offset.
  int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  int64_t row_bytes = ((static_cast<int64_t>(width) * bits + 31) / 32) * 4;
  if (width <= 0 || rows == 0 || width > 65535 || rows > 65535)
    return Refused("its size " + std::to_string(width) + " x " + std::to_string(height) +
                   " is no picture");
  if (pixels > bytes.size() || row_bytes * rows > static_cast<int64_t>(bytes.size() - pixels))
    return Refused("the file is shorter than its pixels");
  BitmapInfo info;
  info.ok = true;
  info.width = width;
  info.height = static_cast<int>(rows);
  info.bits = static_cast<int>(bits);
  return info;
}

}  // namespace bench::clickmap
