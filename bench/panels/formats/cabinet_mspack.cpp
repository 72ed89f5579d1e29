// Natively: libmspack, over an mspack_system that reads the cabinet from memory and writes the
// member into a string.
#if !defined(_WIN32)

// libmspack is built with 64-bit file offsets; its function table must be declared alike.
#define _FILE_OFFSET_BITS 64

#include <mspack.h>

#include <cstdlib>
#include <cstring>

#include "bench/common/names.h"
#include "bench/panels/formats/cabinet.h"

namespace bench::panels {
namespace {

struct MemoryFile {
  std::string_view in;
  off_t at = 0;
  std::string* out = nullptr;
};

struct MemorySystem {
  mspack_system base;  // first, so libmspack's pointer to it is a pointer to this
  std::string_view cabinet;
  std::string* sink = nullptr;
};

mspack_file* Open(mspack_system* self, const char*, int mode) {
  auto* system = reinterpret_cast<MemorySystem*>(self);
  auto* file = new MemoryFile;
  if (mode == MSPACK_SYS_OPEN_READ)
    file->in = system->cabinet;
  else
    file->out = system->sink;
  return reinterpret_cast<mspack_file*>(file);
}

void Close(mspack_file* file) { delete reinterpret_cast<MemoryFile*>(file); }

int Read(mspack_file* handle, void* buffer, int bytes) {
  auto* file = reinterpret_cast<MemoryFile*>(handle);
  if (bytes < 0) return -1;
  size_t left = file->in.size() - static_cast<size_t>(file->at);
  size_t n = static_cast<size_t>(bytes) < left ? static_cast<size_t>(bytes) : left;
  std::memcpy(buffer, file->in.data() + file->at, n);
  file->at += n;
  return static_cast<int>(n);
}

int Write(mspack_file* handle, void* buffer, int bytes) {
  auto* file = reinterpret_cast<MemoryFile*>(handle);
  if (!file->out || bytes < 0 || file->out->size() + bytes > kCabinetMemberLimit) return -1;
  file->out->append(static_cast<const char*>(buffer), static_cast<size_t>(bytes));
  return bytes;
}

int Seek(mspack_file* handle, off_t offset, int mode) {
  auto* file = reinterpret_cast<MemoryFile*>(handle);
  off_t base = mode == MSPACK_SYS_SEEK_START ? 0
               : mode == MSPACK_SYS_SEEK_CUR ? file->at
                                             : static_cast<off_t>(file->in.size());
  off_t to = base + offset;
  if (to < 0 || to > static_cast<off_t>(file->in.size())) return -1;
  file->at = to;
  return 0;
}

off_t Tell(mspack_file* handle) { return reinterpret_cast<MemoryFile*>(handle)->at; }
void Message(mspack_file*, const char*, ...) {}
void* Alloc(mspack_system*, size_t bytes) { return std::malloc(bytes); }
void Free(void* pointer) { std::free(pointer); }
void Copy(void* from, void* to, size_t bytes) { std::memmove(to, from, bytes); }

const char* Why(int code) {
  switch (code) {
    case MSPACK_ERR_SIGNATURE:
      return "not a cabinet";
    case MSPACK_ERR_CHECKSUM:
      return "a checksum does not match";
    case MSPACK_ERR_DECRUNCH:
      return "its compressed data is damaged";
    case MSPACK_ERR_WRITE:
      return "the member is larger than a gauge file can be";
    default:
      return "damaged or cut short";
  }
}

CabinetRead Extract(mscab_decompressor* reader, mscabd_cabinet* cabinet, const std::string& member,
                    MemorySystem* system, std::string* error, std::string* stored) {
  for (mscabd_file* file = cabinet->files; file; file = file->next) {
    if (!SameName(file->filename, member)) continue;
    if (stored) *stored = file->filename;
    if (file->length > kCabinetMemberLimit)
      return *error = member + " is larger than a gauge file can be", CabinetRead::kBroken;
    system->sink->clear();
    int code = reader->extract(reader, file, "member");
    if (code != MSPACK_ERR_OK) return *error = Why(code), CabinetRead::kBroken;
    return CabinetRead::kRead;
  }
  return CabinetRead::kNoMember;
}

}  // namespace

CabinetRead ReadCabinetMember(std::string_view cabinet, const std::string& member,
                              std::string* bytes, std::string* error, std::string* stored) {
  // libmspack reports a file too short for a cabinet's header as a failed read; to the author
  // it is no cabinet at all, as Windows' own reader says.
  constexpr size_t kHeaderSize = 36;
  if (cabinet.size() < kHeaderSize || cabinet.substr(0, 4) != "MSCF")
    return *error = "not a cabinet", CabinetRead::kBroken;
  MemorySystem system{
      {Open, Close, Read, Write, Seek, Tell, Message, Alloc, Free, Copy, nullptr}, cabinet, bytes};
  mscab_decompressor* reader = mspack_create_cab_decompressor(&system.base);
  if (!reader) return *error = "cannot start libmspack", CabinetRead::kBroken;
  CabinetRead result = CabinetRead::kBroken;
  if (mscabd_cabinet* opened = reader->open(reader, "cabinet")) {
    result = Extract(reader, opened, member, &system, error, stored);
    reader->close(reader, opened);
  } else {
    *error = Why(reader->last_error(reader));
  }
  mspack_destroy_cab_decompressor(reader);
  return result;
}

}  // namespace bench::panels

#endif
