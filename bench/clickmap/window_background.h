// A window's background bitmap as the click map page draws it: the file's own bytes inside the
// page (browsers show BMP themselves), so the page needs nothing beside it, and a note that
// says what is drawn or why a plain canvas stands in for the bitmap.
#pragma once

#include <string>

namespace bench::clickmap {

struct WindowBackground {
  std::string data_uri;  // "data:image/bmp;base64,..."; empty: nothing to draw
  std::string note;      // the file, its size and depth, or why it is not drawn
};

// The bitmap `written` names (as panel.cfg's file= writes it), found below panel_dir without
// regard to case; written empty: the window has no bitmap.
WindowBackground LoadBackground(const std::string& panel_dir, const std::string& written);

// Bytes as base64 (RFC 4648, padded), the encoding of a data: URI.
std::string Base64(const std::string& bytes);

}  // namespace bench::clickmap
