// mmio over real files: a buffered reader with the RIFF chunk descent of winmm, copied step for
// step. A chunk's size is taken as the file gives it, as winmm takes it: the find-chunk search
// steps from a chunk's data offset past its padded body in 32-bit arithmetic, so a size near
// 4 GiB wraps back onto the same chunk or into its own body, and a step to a position past
// 2 GiB is a seek that fails and leaves the reader where it was. A chunk that claims more than
// the file holds is therefore followed exactly as far as winmm would follow it: the next read
// past the end finds nothing. Where winmm would search forever, the stand-in stops after as
// many steps as the file has positions and reports the fault (SearchFaults), never hangs.
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
  std::string path;
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

// winmm keeps its seek target apart from the reader's position: a target past 2 GiB is a
// seek that fails, and the next read goes on from wherever the last one ended.
void SeekTo(HMMIO file, uint32_t target) {
  if (target <= 0x7FFFFFFF) MoveTo(file, target);
}

// One header as winmm reads it: up to 12 bytes (id, size and a form's type), of which at least
// 8 must come. Nothing is read at or past end, which is the parent's end when there is one.
bool ReadHeader(HMMIO file, int64_t end, MMCKINFO* chunk) {
  char bytes[12] = {};
  int64_t left = end - Position(file);
  if (left < 8) return false;
  LONG got = Read(file, bytes, static_cast<LONG>(std::min<int64_t>(left, 12)));
  if (got < 8) return false;
  std::memcpy(&chunk->ckid, bytes, 4);
  std::memcpy(&chunk->cksize, bytes + 4, 4);
  std::memcpy(&chunk->fccType, bytes + 8, 4);
  chunk->dwFlags = 0;
  return true;
}

std::string FourccText(FOURCC id) {
  char text[5] = {};
  std::memcpy(text, &id, 4);
  return text;
}

int endless_searches = 0;

void ReportEndlessSearch(HMMIO file, FOURCC wanted) {
  ++endless_searches;
  std::fprintf(stderr, "kv3 stand-in: winmm's search for \"%s\" in %s would never end\n",
               FourccText(wanted).c_str(), file->path.c_str());
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
  HMMIO file = new HMMIO__{local_path, stream, status.st_size, std::vector<char>(buffer_size),
                           MMIOINFO{}};
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
  if (buffer_size < 0) {
    if (info) info->wErrorRet = MMSYSERR_INVALPARAM;
    return nullptr;
  }
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
  uint32_t target = static_cast<uint32_t>(Position(file));
  int64_t end = file->length;
  if (parent) {
    int64_t parent_end = int64_t{parent->dwDataOffset} + parent->cksize;
    if (target < parent->dwDataOffset || target >= parent_end) return MMIOERR_CHUNKNOTFOUND;
    end = std::min(end, parent_end);
  }
  // Each step that lands where it aimed is a position of the file, and from a position the
  // search always goes on the same way: more such steps than positions means a cycle.
  int64_t landed = 0;
  MMCKINFO found{};
  while (ReadHeader(file, end, &found)) {
    found.dwDataOffset = target + 8;
    if (!find || found.ckid == wanted) {
      bool form = found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST;
      SeekTo(file, found.dwDataOffset + (form ? 4 : 0));
      if (!form) found.fccType = 0;
      *chunk = found;
      return MMSYSERR_NOERROR;
    }
    target = found.dwDataOffset + ((found.cksize + 1) & ~uint32_t{1});
    SeekTo(file, target);
    if (Position(file) == target && ++landed > file->length) {
      ReportEndlessSearch(file, wanted);
      break;
    }
  }
  SeekTo(file, target);
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
  // Only the bytes read so far may be handed back: a pointer past them would let the next
  // read copy what the file never held, or a negative count.
  const char* begin = file->info.pchBuffer;
  const char* read_end = file->info.pchEndRead;
  if (info->pchBuffer != begin || info->pchEndRead < begin || info->pchEndRead > read_end ||
      info->pchNext < begin || info->pchNext > info->pchEndRead)
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
int EndlessSearches() { return endless_searches; }

void ResetFiles() {
  while (!OpenHandles().empty()) CloseFile(*OpenHandles().begin());
  endless_searches = 0;
}

}  // namespace standin
