// Loading a slot's WAV file into a new DirectSound buffer through winmm's mmio: find the
// RIFF "WAVE" form, its "fmt " and "data" chunks (in either order, searched to the end of
// the file), create a static buffer with volume control, and copy the sample bytes straight
// out of mmio's read buffer.
#include <algorithm>
#include <cstring>

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

// Leaves the file positioned at the start of the "data" body.
bool FindWaveChunks(HMMIO file, WaveChunks* wave) {
  MMCKINFO riff{};
  if (mmioDescend(file, &riff, nullptr, 0) != MMSYSERR_NOERROR || riff.ckid != FOURCC_RIFF ||
      riff.fccType != kWave)
    return false;
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
