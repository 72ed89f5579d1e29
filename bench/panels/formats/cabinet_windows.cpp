// On Windows: the system's cabinet.dll through its FDI interface, with callbacks that read the
// cabinet from memory and write the member into a string.
#if defined(_WIN32)

#include <fcntl.h>
#include <fdi.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "bench/common/names.h"
#include "bench/panels/formats/cabinet.h"

namespace bench::panels {
namespace {

struct MemoryFile {
  std::string_view in;
  size_t at = 0;
  std::string* out = nullptr;
};

// FDI opens the cabinet by name and hands its open callback nothing else, so the cabinet of
// the call in progress is found here. The bench reads panels on one thread.
std::string_view OpenCabinet;

struct Wanted {
  const std::string& member;
  std::string* bytes;
  bool found = false;
  bool too_large = false;
  std::string stored;  // the member's name as the cabinet spells it
};

FNALLOC(Alloc) { return std::malloc(cb); }
FNFREE(Free) { std::free(pv); }
FNOPEN(Open) { return reinterpret_cast<INT_PTR>(new MemoryFile{OpenCabinet}); }
FNCLOSE(Close) {
  delete reinterpret_cast<MemoryFile*>(hf);
  return 0;
}

FNREAD(Read) {
  auto* file = reinterpret_cast<MemoryFile*>(hf);
  size_t n = std::min<size_t>(cb, file->in.size() - file->at);
  std::memcpy(pv, file->in.data() + file->at, n);
  file->at += n;
  return static_cast<UINT>(n);
}

FNWRITE(Write) {
  auto* file = reinterpret_cast<MemoryFile*>(hf);
  if (!file->out || file->out->size() + cb > kCabinetMemberLimit) return static_cast<UINT>(-1);
  file->out->append(static_cast<const char*>(pv), cb);
  return cb;
}

FNSEEK(Seek) {
  auto* file = reinterpret_cast<MemoryFile*>(hf);
  long long base = seektype == SEEK_SET ? 0 : seektype == SEEK_CUR ? file->at : file->in.size();
  long long to = base + dist;
  if (to < 0 || to > static_cast<long long>(file->in.size())) return -1;
  file->at = static_cast<size_t>(to);
  return static_cast<__LONG32>(to);
}

// Only the wanted member is copied; a handle of 0 tells FDI to skip a file, -1 to stop.
FNFDINOTIFY(Notify) {
  auto* wanted = static_cast<Wanted*>(pfdin->pv);
  if (fdint == fdintCOPY_FILE) {
    if (wanted->found || !SameName(pfdin->psz1, wanted->member)) return 0;
    wanted->found = true;
    wanted->stored = pfdin->psz1;
    if (static_cast<size_t>(pfdin->cb) > kCabinetMemberLimit) return wanted->too_large = true, -1;
    wanted->bytes->clear();
    return reinterpret_cast<INT_PTR>(new MemoryFile{{}, 0, wanted->bytes});
  }
  if (fdint == fdintCLOSE_FILE_INFO) {
    Close(pfdin->hf);
    return TRUE;
  }
  return 0;
}

const char* Why(int code) {
  switch (code) {
    case FDIERROR_NOT_A_CABINET:
      return "not a cabinet";
    case FDIERROR_UNKNOWN_CABINET_VERSION:
      return "a cabinet version this system cannot read";
    case FDIERROR_CORRUPT_CABINET:
      return "damaged or cut short";
    case FDIERROR_BAD_COMPR_TYPE:
      return "a compression this system cannot read";
    case FDIERROR_TARGET_FILE:
      return "the member is larger than a gauge file can be";
    default:
      return "its compressed data is damaged";
  }
}

}  // namespace

CabinetRead ReadCabinetMember(std::string_view cabinet, const std::string& member,
                              std::string* bytes, std::string* error, std::string* stored) {
  ERF erf{};
  HFDI fdi = FDICreate(Alloc, Free, Open, Read, Write, Close, Seek, cpuUNKNOWN, &erf);
  if (!fdi) return *error = "cannot start the system's cabinet reader", CabinetRead::kBroken;
  OpenCabinet = cabinet;
  Wanted wanted{member, bytes, false, false, {}};
  char name[] = "cabinet", path[] = "";
  BOOL copied = FDICopy(fdi, name, path, 0, Notify, nullptr, &wanted);
  FDIDestroy(fdi);
  OpenCabinet = {};
  if (wanted.too_large)
    return *error = member + " is larger than a gauge file can be", CabinetRead::kBroken;
  if (!copied) return *error = Why(erf.erfOper), CabinetRead::kBroken;
  if (wanted.found && stored) *stored = wanted.stored;
  return wanted.found ? CabinetRead::kRead : CabinetRead::kNoMember;
}

}  // namespace bench::panels

#endif
