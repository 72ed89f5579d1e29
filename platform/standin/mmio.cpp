// mmio over real files: a buffered reader with the RIFF chunk descent of winmm. Sizes read
// from a file are never trusted: positions are computed in 64 bits and checked against the
// file's real length, so a chunk that claims more than the file holds is simply not found.
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/standin/internal.h"
#include "platform/standin/control.h"
#include "platform/standin/mmsystem.h"

struct HMMIO__ {
  FILE* stream;
  int64_t length;
  std::vector<char> buffer;  // empty when opened without a buffer
  MMIOINFO info;
};

namespace {

std::set<HMMIO>& OpenHandles() {
  static std::set<HMMIO> handles;
  return handles;
}

bool Valid(HMMIO file) { return file && OpenHandles().count(file); }

int64_t Position(HMMIO file) {
  const MMIOINFO& i = file->info;
  return file->buffer.empty() ? i.lDiskOffset : i.lBufOffset + (i.pchNext - i.pchBuffer);
}

// Reads the next bufferful from the disk offset; the buffer is empty at the end of the file.
void Refill(HMMIO file) {
  MMIOINFO& i = file->info;
  std::fseek(file->stream, i.lDiskOffset, SEEK_SET);
  size_t got = std::fread(i.pchBuffer, 1, static_cast<size_t>(i.cchBuffer), file->stream);
  i.lBufOffset = i.lDiskOffset;
  i.lDiskOffset += static_cast<LONG>(got);
  i.pchNext = i.pchBuffer;
  i.pchEndRead = i.pchBuffer + got;
}

LONG ReadUnbuffered(HMMIO file, char* destination, LONG size) {
  std::fseek(file->stream, file->info.lDiskOffset, SEEK_SET);
  size_t got = std::fread(destination, 1, static_cast<size_t>(size), file->stream);
  file->info.lDiskOffset += static_cast<LONG>(got);
  return static_cast<LONG>(got);
}

LONG ReadBuffered(HMMIO file, char* destination, LONG size) {
  MMIOINFO& i = file->info;
  LONG done = 0;
  while (done < size) {
    if (i.pchNext == i.pchEndRead) Refill(file);
    LONG available = static_cast<LONG>(i.pchEndRead - i.pchNext);
    if (available == 0) break;
    LONG n = std::min(available, size - done);
    std::memcpy(destination + done, i.pchNext, static_cast<size_t>(n));
    i.pchNext += n;
    done += n;
  }
  return done;
}

LONG Read(HMMIO file, char* destination, LONG size) {
  return file->buffer.empty() ? ReadUnbuffered(file, destination, size)
                              : ReadBuffered(file, destination, size);
}

// Moves to an absolute position; a position inside the buffered bytes keeps them.
void MoveTo(HMMIO file, int64_t position) {
  MMIOINFO& i = file->info;
  if (!file->buffer.empty() && position >= i.lBufOffset &&
      position <= i.lBufOffset + (i.pchEndRead - i.pchBuffer)) {
    i.pchNext = i.pchBuffer + (position - i.lBufOffset);
    return;
  }
  i.lBufOffset = i.lDiskOffset = static_cast<LONG>(position);
  i.pchNext = i.pchEndRead = i.pchBuffer;
}

bool ReadFourcc(HMMIO file, FOURCC* value) {
  return Read(file, reinterpret_cast<char*>(value), 4) == 4;
}

// Reads the chunk header at the current position, if it lies within end.
bool ReadChunkHeader(HMMIO file, int64_t end, MMCKINFO* chunk) {
  int64_t start = Position(file);
  if (start + 8 > end) return false;
  if (!ReadFourcc(file, &chunk->ckid) || !ReadFourcc(file, &chunk->cksize)) return false;
  chunk->dwDataOffset = static_cast<DWORD>(start + 8);
  chunk->fccType = 0;
  chunk->dwFlags = 0;
  return true;
}

std::string FourccText(FOURCC id) {
  char text[5] = {};
  std::memcpy(text, &id, 4);
  return text;
}

std::string WindowsToLocalPath(const char* path) {
  std::string local = path;
  std::replace(local.begin(), local.end(), '\\', '/');
  return local;
}

HMMIO OpenFile(const std::string& local_path, LONG buffer_size) {
  struct stat status;
  if (stat(local_path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
  if (status.st_size > 0x7FFFFFFF) return nullptr;  // positions are 32-bit
  FILE* stream = std::fopen(local_path.c_str(), "rb");
  if (!stream) return nullptr;
  HMMIO file = new HMMIO__{stream, status.st_size, std::vector<char>(buffer_size), MMIOINFO{}};
  file->info.cchBuffer = buffer_size;
  file->info.pchBuffer = file->info.pchNext = file->info.pchEndRead = file->buffer.data();
  file->info.hmmio = file;
  OpenHandles().insert(file);
  return file;
}

void CloseFile(HMMIO file) {
  std::fclose(file->stream);
  OpenHandles().erase(file);
  delete file;
}

}  // namespace

extern "C" HMMIO WINAPI mmioOpenA(LPSTR path, LPMMIOINFO info, DWORD flags) {
  bool fail = standin::Enter("mmioOpenA", std::string(path ? path : "") + ", " + standin::Hex(flags));
  LONG buffer_size = 0;
  if (flags & MMIO_ALLOCBUF) buffer_size = info && info->cchBuffer ? info->cchBuffer : MMIO_DEFAULTBUFFER;
  HMMIO file = fail || !path || (flags & ~MMIO_ALLOCBUF) != MMIO_READ
                   ? nullptr
                   : OpenFile(WindowsToLocalPath(path), buffer_size);
  if (info) info->wErrorRet = file ? MMSYSERR_NOERROR : MMIOERR_FILENOTFOUND;
  return file;
}

extern "C" MMRESULT WINAPI mmioDescend(HMMIO file, LPMMCKINFO chunk, const MMCKINFO* parent,
                                       UINT flags) {
  FOURCC wanted = chunk ? chunk->ckid : 0;
  bool find = flags == MMIO_FINDCHUNK;
  if (standin::Enter("mmioDescend", (find ? FourccText(wanted) + ", " : "") + standin::Hex(flags)))
    return MMIOERR_CHUNKNOTFOUND;
  if (!Valid(file)) return MMSYSERR_INVALHANDLE;
  if (!chunk || (flags != 0 && !find)) return MMSYSERR_INVALPARAM;
  int64_t end = file->length;
  if (parent) end = std::min<int64_t>(end, int64_t{parent->dwDataOffset} + parent->cksize);
  int64_t start = Position(file);
  MMCKINFO found;
  while (ReadChunkHeader(file, end, &found)) {
    if (!find || found.ckid == wanted) {
      bool form = found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST;
      if (form && !ReadFourcc(file, &found.fccType)) break;
      *chunk = found;
      return MMSYSERR_NOERROR;
    }
    int64_t next = int64_t{found.dwDataOffset} + ((int64_t{found.cksize} + 1) & ~int64_t{1});
    if (next > end) break;
    MoveTo(file, next);
  }
  MoveTo(file, start);
  return MMIOERR_CHUNKNOTFOUND;
}

extern "C" LONG WINAPI mmioRead(HMMIO file, HPSTR destination, LONG size) {
  if (standin::Enter("mmioRead", std::to_string(size))) return -1;
  if (!Valid(file) || size < 0 || (size > 0 && !destination)) return -1;
  return Read(file, destination, size);
}

extern "C" LONG WINAPI mmioSeek(HMMIO file, LONG offset, int origin) {
  if (standin::Enter("mmioSeek", std::to_string(offset) + ", " + std::to_string(origin))) return -1;
  if (!Valid(file)) return -1;
  int64_t base = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? Position(file) : file->length;
  int64_t position = base + offset;
  if ((origin != SEEK_SET && origin != SEEK_CUR && origin != SEEK_END) || position < 0 ||
      position > 0x7FFFFFFF)
    return -1;
  MoveTo(file, position);
  return static_cast<LONG>(position);
}

extern "C" MMRESULT WINAPI mmioGetInfo(HMMIO file, LPMMIOINFO info, UINT) {
  if (standin::Enter("mmioGetInfo")) return MMSYSERR_INVALPARAM;
  if (!Valid(file)) return MMSYSERR_INVALHANDLE;
  if (!info) return MMSYSERR_INVALPARAM;
  *info = file->info;
  return MMSYSERR_NOERROR;
}

// Refills the file's buffer from its disk offset and hands the new pointers to the caller.
// At the end of the file this still succeeds, with an empty buffer.
extern "C" MMRESULT WINAPI mmioAdvance(HMMIO file, LPMMIOINFO info, UINT flags) {
  if (standin::Enter("mmioAdvance", standin::Hex(flags))) return MMIOERR_CANNOTREAD;
  if (!Valid(file)) return MMSYSERR_INVALHANDLE;
  if (file->buffer.empty()) return MMIOERR_UNBUFFERED;
  if (!info || flags != MMIO_READ) return MMSYSERR_INVALPARAM;
  Refill(file);
  info->pchNext = file->info.pchNext;
  info->pchEndRead = file->info.pchEndRead;
  info->lBufOffset = file->info.lBufOffset;
  info->lDiskOffset = file->info.lDiskOffset;
  return MMSYSERR_NOERROR;
}

extern "C" MMRESULT WINAPI mmioSetInfo(HMMIO file, LPCMMIOINFO info, UINT) {
  if (standin::Enter("mmioSetInfo")) return MMSYSERR_INVALPARAM;
  if (!Valid(file)) return MMSYSERR_INVALHANDLE;
  if (!info || file->buffer.empty()) return MMSYSERR_INVALPARAM;
  const char* begin = file->info.pchBuffer;
  const char* end = begin + file->info.cchBuffer;
  auto inside = [&](const char* p) { return p >= begin && p <= end; };
  if (info->pchBuffer != begin || !inside(info->pchNext) || !inside(info->pchEndRead))
    return MMSYSERR_INVALPARAM;
  file->info.pchNext = info->pchNext;
  file->info.pchEndRead = info->pchEndRead;
  return MMSYSERR_NOERROR;
}

// A failure injected here still closes the file: a failed close frees the handle in winmm too.
extern "C" MMRESULT WINAPI mmioClose(HMMIO file, UINT) {
  bool fail = standin::Enter("mmioClose");
  if (!Valid(file)) return MMSYSERR_INVALHANDLE;
  CloseFile(file);
  return fail ? MMIOERR_CANNOTREAD : MMSYSERR_NOERROR;
}

namespace standin {

int OpenFiles() { return static_cast<int>(OpenHandles().size()); }

void CloseAllFiles() {
  while (!OpenHandles().empty()) CloseFile(*OpenHandles().begin());
}

}  // namespace standin
