#include "bench/panels/folders.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

#include "bench/common/names.h"

namespace bench::panels {

// The folder is listed even where the file system would find the name in any case itself (as
// Windows does), so the path comes back spelt as it is on disk and findings name the file the
// same from every build.
fs::path FindEntry(const fs::path& dir, const std::string& name, std::error_code* error) {
  std::error_code listing;
  fs::path other_case;
  for (fs::directory_iterator it(dir, listing), end; !listing && it != end; it.increment(listing)) {
    std::string entry = it->path().filename().string();
    if (entry == name) return it->path();
    if (other_case.empty() && SameName(entry, name)) other_case = it->path();
  }
  if (error) *error = listing;
  return other_case;
}

void SplitWritten(const std::string& written, std::string* folder, std::string* last) {
  size_t slash = written.find_last_of("\\/");
  *folder = slash == std::string::npos ? "" : written.substr(0, slash);
  *last = slash == std::string::npos ? written : written.substr(slash + 1);
}

fs::path FindPath(const fs::path& base, const std::string& written) {
  fs::path at = base;
  size_t start = 0;
  while (start <= written.size()) {
    size_t end = std::min(written.find_first_of("\\/", start), written.size());
    std::string part = written.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    at = part == ".." ? (at / "..").lexically_normal() : FindEntry(at, part);
    if (at.empty()) return {};
  }
  return at;
}

bool IsFile(const fs::path& path) {
  std::error_code error;
  return !path.empty() && fs::is_regular_file(path, error);
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

bool ReadBytes(const fs::path& path, std::string* bytes, std::error_code* error) {
  std::error_code cause;
  if (fs::is_directory(path, cause)) cause = std::make_error_code(std::errc::is_a_directory);
  std::ifstream file;
  if (!cause) {
    errno = 0;
    file.open(path, std::ios::binary);
    if (!file) cause = std::error_code(errno ? errno : EIO, std::generic_category());
  }
  if (!cause) {
    bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) cause = std::make_error_code(std::errc::io_error);
  }
  if (error) *error = cause;
  return !cause;
}

// Windows' own texts end with a full stop and a line break, which a finding has no room for.
std::string Why(const std::error_code& error) {
  std::string why(Trim(error.message()));
  if (!why.empty() && why.back() == '.') why.pop_back();
  return why;
}

std::string Shown(const fs::path& path) {
#if defined(_WIN32)
  // As Explorer, an editor's error list and a command prompt write it.
  return fs::path(path).make_preferred().string();
#else
  return path.generic_string();
#endif
}

}  // namespace bench::panels
