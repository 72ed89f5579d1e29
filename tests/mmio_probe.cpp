// Prints what mmio's chunk descent finds in each file named on the command line, one line per
// search, so that the stand-in's answers can be compared line by line with winmm's under Wine.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "platform/platform.h"

namespace {

void Print(const char* what, MMRESULT result, const MMCKINFO& chunk, HMMIO file) {
  char id[5] = {}, type[5] = {};
  std::memcpy(id, &chunk.ckid, 4);
  std::memcpy(type, &chunk.fccType, 4);
  for (char* c : {id, type})
    for (int i = 0; i < 4; ++i)
      if (c[i] < 0x20 || c[i] > 0x7E) c[i] = '.';
  std::printf("  %s: %u", what, static_cast<unsigned>(result));
  if (result == MMSYSERR_NOERROR)
    std::printf(" %s %lu %s @%lu", id, static_cast<unsigned long>(chunk.cksize), type,
                static_cast<unsigned long>(chunk.dwDataOffset));
  std::printf(" pos %ld\n", static_cast<long>(mmioSeek(file, 0, SEEK_CUR)));
}

void Probe(char* path) {
  std::printf("%s\n", path);
  HMMIO file = mmioOpenA(path, nullptr, MMIO_ALLOCBUF | MMIO_READ);
  if (!file) return (void)std::printf("  cannot open\n");
  MMCKINFO riff{};
  Print("form", mmioDescend(file, &riff, nullptr, 0), riff, file);
  for (const char* id : {"fmt ", "data", "LIST", "none"}) {
    MMCKINFO chunk{};
    chunk.ckid = mmioFOURCC(id[0], id[1], id[2], id[3]);
    mmioSeek(file, 12, SEEK_SET);
    MMRESULT result = mmioDescend(file, &chunk, nullptr, MMIO_FINDCHUNK);
    Print(id, result, chunk, file);
  }
  mmioClose(file, 0);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) Probe(argv[i]);
  return 0;
}
