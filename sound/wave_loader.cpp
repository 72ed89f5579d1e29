// Loading a slot's WAV file into a new DirectSound buffer through winmm's mmio: find the
// RIFF "WAVE" form, its "fmt " and "data" chunks (in either order, searched to the end of
// the file), create a static buffer with volume control, and copy the sample bytes straight
// out of mmio's read buffer. Sizes in the file are checked against the file's length before
// winmm searches with them or DirectSound is asked for a buffer of that size.
#include <algorithm>
#include <cstring>

#include "sound/chunk_walk.h"
#include "sound/sound_slots.h"

namespace sound {
namespace {

constexpr FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
constexpr FOURCC kFormatChunk = mmioFOURCC('f', 'm', 't', ' ');
constexpr FOURCC kDataChunk = mmioFOURCC('d', 'a', 't', 'a');
constexpr DWORD kFirstGenerationDescriptionSize = 20;  // without the 3-D algorithm field

struct WaveChunks {
  WAVEFORMATEX format;
  DWORD data_size;
};

uint32_t Le32(const BYTE* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// winmm's find-chunk search trusts every size it steps over; one that wraps its 32-bit
// position makes it search forever. So the searches are let loose only on a chunk list that
// lies inside the file, walked here header by header. Returns the file's length, or -1 when
// the walk is unsafe; leaves the position at first either way. The form's descent has read
// "WAVE" up to first, so the file reaches it; a seek that fails gives -1, which comes back
// as it is (its walk ends where the reads do, at the end of the file).
LONG CheckedLength(HMMIO file, LONG first) {
  LONG length = mmioSeek(file, 0, SEEK_END);
  auto read = [file](uint32_t position, ChunkHeader* header) {
    BYTE bytes[8];
    if (mmioSeek(file, static_cast<LONG>(position), SEEK_SET) != static_cast<LONG>(position) ||
        mmioRead(file, reinterpret_cast<HPSTR>(bytes), 8) != 8)
      return false;
    *header = {Le32(bytes), Le32(bytes + 4)};
    return true;
  };
  ChunkFault fault;
  bool safe = WalkIsSafe(first, length, kFormatChunk, kDataChunk, read, &fault);
  return mmioSeek(file, first, SEEK_SET) == first && safe ? length : -1;
}

// Leaves the file positioned at the start of the "data" body.
bool FindWaveChunks(HMMIO file, WaveChunks* wave) {
  MMCKINFO riff{};
  if (mmioDescend(file, &riff, nullptr, 0) != MMSYSERR_NOERROR || riff.ckid != FOURCC_RIFF ||
      riff.fccType != kWave)
    return false;
  LONG length = CheckedLength(file, static_cast<LONG>(riff.dwDataOffset + 4));
  if (length < 0) return false;
  MMCKINFO chunk{};
  chunk.ckid = kFormatChunk;
  if (mmioDescend(file, &chunk, nullptr, MMIO_FINDCHUNK) != MMSYSERR_NOERROR || chunk.cksize < 16)
    return false;
  // The first 16 bytes are the PCM format; an extra-size field or more is ignored.
  std::memset(&wave->format, 0, sizeof wave->format);
  if (mmioRead(file, reinterpret_cast<HPSTR>(&wave->format), 16) != 16 ||
      wave->format.wFormatTag != WAVE_FORMAT_PCM)
    return false;
  // Back to the start and into the form again, so "data" is found before or after "fmt ".
  if (mmioSeek(file, 0, SEEK_SET) == -1 || mmioDescend(file, &riff, nullptr, 0) != MMSYSERR_NOERROR)
    return false;
  chunk.ckid = kDataChunk;
  if (mmioDescend(file, &chunk, nullptr, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return false;
  // A body that claims more than the file holds would fail only after DirectSound had made
  // a buffer of the claimed size: up to 256 MB of the simulator's 32-bit address space.
  if (uint64_t{chunk.dwDataOffset} + chunk.cksize > static_cast<uint64_t>(length)) return false;
  wave->data_size = chunk.cksize;
  return true;
}

bool CreateSlotBuffer(SoundSlot& slot, IDirectSound* sound, WaveChunks& wave) {
  DSBUFFERDESC description{};
  description.dwSize = kFirstGenerationDescriptionSize;
  description.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME;
  description.dwBufferBytes = wave.data_size;
  description.lpwfxFormat = &wave.format;
  if (sound->CreateSoundBuffer(&description, &slot.buffer, nullptr) == DS_OK) return true;
  slot.buffer = nullptr;
  return false;
}

// Copies count bytes from the file's read buffer, refilling it whenever it runs dry; an
// empty refill means the file ended before the "data" body did.
bool CopyFromReadBuffer(HMMIO file, MMIOINFO* info, BYTE* destination, DWORD count) {
  while (count > 0) {
    if (info->pchNext == info->pchEndRead &&
        (mmioAdvance(file, info, MMIO_READ) != MMSYSERR_NOERROR || info->pchNext == info->pchEndRead))
      return false;
    DWORD available = static_cast<DWORD>(info->pchEndRead - info->pchNext);
    DWORD n = std::min(count, available);
    std::memcpy(destination, info->pchNext, n);
    destination += n;
    info->pchNext += n;
    count -= n;
  }
  return true;
}

// Fills the locked buffer with the "data" body. Closes the file whatever happens.
bool FillBuffer(IDirectSoundBuffer* buffer, HMMIO file, DWORD data_size) {
  LPVOID region = nullptr;
  DWORD region_size = 0;
  MMIOINFO info{};
  bool ok = buffer->Lock(0, data_size, &region, &region_size, nullptr, nullptr,
                         DSBLOCK_ENTIREBUFFER) == DS_OK &&
            mmioGetInfo(file, &info, 0) == MMSYSERR_NOERROR;
  DWORD count = std::min(region_size, data_size);
  ok = ok && CopyFromReadBuffer(file, &info, static_cast<BYTE*>(region), count) &&
       mmioSetInfo(file, &info, 0) == MMSYSERR_NOERROR;
  bool closed = mmioClose(file, 0) == MMSYSERR_NOERROR;
  return ok && closed && buffer->Unlock(region, count, nullptr, 0) == DS_OK;
}

}  // namespace

int LoadWaveIntoSlot(SoundSlot& slot, IDirectSound* sound) {
  ReleaseSlot(slot);
  HMMIO file = mmioOpenA(const_cast<LPSTR>(slot.file_path), nullptr, MMIO_ALLOCBUF | MMIO_READ);
  if (!file) return 0;
  WaveChunks wave;
  if (!FindWaveChunks(file, &wave) || !CreateSlotBuffer(slot, sound, wave)) {
    mmioClose(file, 0);
    return 0;
  }
  // A buffer that fails to fill is released as it is, locked or not.
  if (!FillBuffer(slot.buffer, file, wave.data_size)) {
    ReleaseSlot(slot);
    return 0;
  }
  return 1;
}

}  // namespace sound
