// Stand-in declarations of the multimedia file functions (winmm's mmio) the module reads
// WAV files with: the SDK's records, constants and return codes.
#pragma once

#include <cstdio>

#include "platform/standin/windows_types.h"

using FOURCC = DWORD;
using MMRESULT = UINT;
using HPSTR = char*;
struct HMMIO__;
using HMMIO = HMMIO__*;

constexpr FOURCC mmioFOURCC(char a, char b, char c, char d) {
  return static_cast<FOURCC>(static_cast<BYTE>(a)) | static_cast<FOURCC>(static_cast<BYTE>(b)) << 8 |
         static_cast<FOURCC>(static_cast<BYTE>(c)) << 16 | static_cast<FOURCC>(static_cast<BYTE>(d)) << 24;
}
constexpr FOURCC FOURCC_RIFF = mmioFOURCC('R', 'I', 'F', 'F');
constexpr FOURCC FOURCC_LIST = mmioFOURCC('L', 'I', 'S', 'T');

#pragma pack(push, 4)
struct MMCKINFO {
  FOURCC ckid;
  DWORD cksize;
  FOURCC fccType;
  DWORD dwDataOffset;
  DWORD dwFlags;
};
using LPMMCKINFO = MMCKINFO*;

struct MMIOINFO {
  DWORD dwFlags;
  FOURCC fccIOProc;
  void* pIOProc;
  UINT wErrorRet;
  void* htask;
  LONG cchBuffer;
  HPSTR pchBuffer;
  HPSTR pchNext;
  HPSTR pchEndRead;
  HPSTR pchEndWrite;
  LONG lBufOffset;
  LONG lDiskOffset;
  DWORD adwInfo[3];
  DWORD dwReserved1;
  DWORD dwReserved2;
  HMMIO hmmio;
};
using LPMMIOINFO = MMIOINFO*;
using LPCMMIOINFO = const MMIOINFO*;
#pragma pack(pop)

// The sample format record, packed as in the SDK: 18 bytes.
#pragma pack(push, 1)
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
#pragma pack(pop)
using LPWAVEFORMATEX = WAVEFORMATEX*;
using LPCWAVEFORMATEX = const WAVEFORMATEX*;
constexpr WORD WAVE_FORMAT_PCM = 1;
static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is 18 bytes");
static_assert(sizeof(MMCKINFO) == 20, "MMCKINFO is 20 bytes");
static_assert(sizeof(MMIOINFO) == 72, "MMIOINFO is 72 bytes");

constexpr DWORD MMIO_READ = 0;
constexpr DWORD MMIO_ALLOCBUF = 0x10000;
constexpr UINT MMIO_FINDCHUNK = 0x10;
constexpr LONG MMIO_DEFAULTBUFFER = 8192;
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MMIOERR_FILENOTFOUND = 257;
constexpr MMRESULT MMIOERR_CANNOTREAD = 261;
constexpr MMRESULT MMIOERR_CHUNKNOTFOUND = 265;
constexpr MMRESULT MMIOERR_UNBUFFERED = 266;

extern "C" {
HMMIO WINAPI mmioOpenA(LPSTR path, LPMMIOINFO info, DWORD flags);
MMRESULT WINAPI mmioDescend(HMMIO file, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags);
LONG WINAPI mmioRead(HMMIO file, HPSTR destination, LONG size);
LONG WINAPI mmioSeek(HMMIO file, LONG offset, int origin);
MMRESULT WINAPI mmioGetInfo(HMMIO file, LPMMIOINFO info, UINT flags);
MMRESULT WINAPI mmioAdvance(HMMIO file, LPMMIOINFO info, UINT flags);
MMRESULT WINAPI mmioSetInfo(HMMIO file, LPCMMIOINFO info, UINT flags);
MMRESULT WINAPI mmioClose(HMMIO file, UINT flags);
}
