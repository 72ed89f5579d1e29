// Windows bitmaps (.bmp) written byte by byte, for the click map's backgrounds: a file header,
// a BITMAPINFOHEADER, a grey palette for 8 bits a pixel, and bottom-up rows padded to four
// bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "bench/sounds/riff_writer.h"

// colour(x, y) gives 0xRRGGBB for the pixel x from the left, y from the top; 8-bit files keep
// its grey level.
inline std::string BitmapFile(int width, int height, int bits,
                              const std::function<uint32_t(int, int)>& colour) {
  using bench::Le16;
  using bench::Le32;
  std::string palette;
  if (bits == 8)
    for (int grey = 0; grey < 256; ++grey) palette += Le32(grey * 0x010101u);
  std::string pixels;
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      uint32_t rgb = colour(x, y);
      if (bits == 8) {
        row += static_cast<char>(((rgb >> 16 & 255) + (rgb >> 8 & 255) + (rgb & 255)) / 3);
      } else {
        row += Le32(rgb).substr(0, 3);  // blue, green, red
        if (bits == 32) row += '\xff';
      }
    }
    row.resize((row.size() + 3) / 4 * 4, '\0');
    pixels += row;
  }
  uint32_t offset = 14 + 40 + static_cast<uint32_t>(palette.size());
  return "BM" + Le32(offset + pixels.size()) + Le32(0) + Le32(offset) + Le32(40) + Le32(width) +
         Le32(height) + Le16(1) + Le16(bits) + Le32(0) + Le32(pixels.size()) + Le32(2835) +
         Le32(2835) + Le32(bits == 8 ? 256 : 0) + Le32(0) + palette + pixels;
}
