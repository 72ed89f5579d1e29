#include "bench/clickmap/window_background.h"

#include <cstdint>

#include "bench/clickmap/bitmap_info.h"
#include "bench/panels/folders.h"

namespace bench::clickmap {

std::string Base64(const std::string& bytes) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t at = 0; at < bytes.size(); at += 3) {
    size_t count = bytes.size() - at < 3 ? bytes.size() - at : 3;
    uint32_t group = 0;
    for (size_t i = 0; i < 3; ++i)
      group = group << 8 | (i < count ? static_cast<uint8_t>(bytes[at + i]) : 0);
    // Three bytes make four digits; a short last group is padded with '=' for each byte missing.
    for (size_t i = 0; i < 4; ++i) out += i <= count ? kDigits[group >> (18 - 6 * i) & 63] : '=';
  }
  return out;
}

WindowBackground LoadBackground(const std::string& panel_dir, const std::string& written) {
  WindowBackground background;
  if (written.empty()) {
    background.note = "no background bitmap: its section names no file=";
    return background;
  }
  panels::fs::path path = panels::FindPath(panel_dir, written);
  std::string bytes;
  std::error_code error;
  if (!panels::IsFile(path)) {
    background.note = "its bitmap " + written + " is not in the panel folder";
  } else if (!panels::ReadBytes(path, &bytes, &error)) {
    background.note = "its bitmap " + written + " cannot be read: " + panels::Why(error);
  } else if (BitmapInfo info = ReadBitmapInfo(bytes); !info.ok) {
    background.note = "its bitmap " + written + " is not drawn: " + info.why;
  } else {
    background.data_uri = "data:image/bmp;base64," + Base64(bytes);
    background.note = path.filename().string() + ", " + std::to_string(info.width) + " x " +
                      std::to_string(info.height) + ", " + std::to_string(info.bits) +
                      " bits a pixel";
  }
  return background;
}

}  // namespace bench::clickmap
