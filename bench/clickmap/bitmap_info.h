// What a panel background bitmap is, read from its header: the click map draws each window at
// its size with its bitmap, which a browser shows from the file's own bytes.
#pragma once

#include <string>

namespace bench::clickmap {

struct BitmapInfo {
  bool ok = false;
  int width = 0, height = 0;
  int bits = 0;     // per pixel: 8, 24 or 32 are what panels use
  std::string why;  // !ok: what is wrong with it
};

// A Windows bitmap (.bmp): "BM", then a BITMAPINFOHEADER or a later one. Uncompressed or with
// bit fields, 1 to 32 bits a pixel; anything else, or a header that does not fit the file,
// is not ok.
BitmapInfo ReadBitmapInfo(const std::string& bytes);

}  // namespace bench::clickmap
