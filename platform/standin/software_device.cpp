// DirectSoundCreate and the device: buffer creation checks the description and format as
// DirectSound does, and the audio clock advances every device's buffers.
#include <cstdlib>
#include <set>

#include "platform/standin/control.h"
#include "platform/standin/internal.h"
#include "platform/standin/software_sound.h"

namespace standin {
namespace {

std::set<SoftwareDevice*>& Devices() {
  static std::set<SoftwareDevice*> devices;
  return devices;
}

struct Recording {
  bool on = false;
  std::vector<int16_t> samples;
  std::vector<float> mix;
};
Recording& TheRecording() {
  static Recording recording;
  return recording;
}

int16_t ToSample(float value) {
  if (value >= 1.0f) return 32767;
  if (value <= -1.0f) return -32768;
  return static_cast<int16_t>(value * 32767.0f);
}

// PCM only, integer samples of 8 to 32 bits, and a block alignment and byte rate that agree
// with the channels, bits and rate, as Windows documents a PCM format. Wine's DirectSound takes
// a byte rate or a rate out of line; the stand-in keeps to what Windows will play.
HRESULT CheckFormat(const WAVEFORMATEX* format) {
  if (!format) return DSERR_INVALIDPARAM;
  if (format->wFormatTag != WAVE_FORMAT_PCM) return DSERR_BADFORMAT;
  WORD bits = format->wBitsPerSample;
  if (format->nChannels == 0 || (bits != 8 && bits != 16 && bits != 24 && bits != 32) ||
      format->nSamplesPerSec < 100 || format->nSamplesPerSec > 200000)
    return DSERR_BADFORMAT;
  if (format->nBlockAlign != format->nChannels * bits / 8 ||
      format->nAvgBytesPerSec != uint64_t{format->nSamplesPerSec} * format->nBlockAlign)
    return DSERR_INVALIDPARAM;
  return DS_OK;
}

HRESULT CheckDescription(LPCDSBUFFERDESC description) {
  if (!description || (description->dwSize != 20 && description->dwSize != 36))
    return DSERR_INVALIDPARAM;
  // The stand-in mixes secondary buffers only; nothing in the module writes the primary one.
  if (description->dwFlags & DSBCAPS_PRIMARYBUFFER) return DSERR_INVALIDPARAM;
  if (description->dwBufferBytes < 4 || description->dwBufferBytes > 0x0FFFFFFF)
    return DSERR_INVALIDPARAM;
  return CheckFormat(description->lpwfxFormat);
}

}  // namespace

SoftwareDevice::~SoftwareDevice() {
  while (!buffers_.empty()) delete buffers_.back();
  Devices().erase(this);
}

void SoftwareDevice::Forget(SoftwareBuffer* buffer) {
  for (size_t i = 0; i < buffers_.size(); ++i) {
    if (buffers_[i] == buffer) buffers_.erase(buffers_.begin() + i);
  }
}

void SoftwareDevice::Advance(uint32_t frames, float* mix) {
  for (SoftwareBuffer* buffer : buffers_) buffer->Advance(frames, mix);
}

ULONG SoftwareDevice::AddRef() {
  Enter("IDirectSound::AddRef");
  return ++references_;
}

ULONG SoftwareDevice::Release() {
  Enter("IDirectSound::Release");
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT SoftwareDevice::SetCooperativeLevel(HWND window, DWORD level) {
  if (Enter("SetCooperativeLevel", Hex(reinterpret_cast<uintptr_t>(window)) + ", " + Hex(level)))
    return DSERR_GENERIC;
  if (!window || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
  return DS_OK;
}

HRESULT SoftwareDevice::CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer,
                                          LPUNKNOWN outer) {
  std::string arguments = description ? std::to_string(description->dwSize) + ", " +
                                            Hex(description->dwFlags) + ", " +
                                            std::to_string(description->dwBufferBytes)
                                      : "null";
  if (Enter("CreateSoundBuffer", arguments)) return DSERR_OUTOFMEMORY;
  if (!buffer) return DSERR_INVALIDPARAM;
  if (outer) return DSERR_NOAGGREGATION;
  if (HRESULT result = CheckDescription(description)) return result;
  const WAVEFORMATEX& format = *description->lpwfxFormat;
  DWORD align = format.nBlockAlign;
  DWORD size = (description->dwBufferBytes + align - 1) / align * align;
  // calloc: a large buffer costs address space, not memory, until it is written.
  BYTE* bytes = static_cast<BYTE*>(std::calloc(size, 1));
  if (!bytes) return DSERR_OUTOFMEMORY;
  auto* created = new SoftwareBuffer(this, description->dwFlags, format, bytes, size);
  buffers_.push_back(created);
  *buffer = created;
  return DS_OK;
}

void AdvanceAudio(uint32_t frames) {
  Recording& recording = TheRecording();
  float* mix = nullptr;
  if (recording.on) {
    recording.mix.assign(2 * size_t{frames}, 0.0f);
    mix = recording.mix.data();
  }
  for (SoftwareDevice* device : Devices()) device->Advance(frames, mix);
  if (mix) {
    for (float value : recording.mix) recording.samples.push_back(ToSample(value));
  }
}

void StartRecording() {
  TheRecording().on = true;
  TheRecording().samples.clear();
}

std::vector<int16_t> TakeRecording() {
  TheRecording().on = false;
  return std::move(TheRecording().samples);
}

int LiveDevices() { return static_cast<int>(Devices().size()); }

void DestroyAllDevices() {
  while (!Devices().empty()) delete *Devices().begin();
}

void ResetPlatform() {
  DestroyAllDevices();
  ForgetLargestBuffer();
  ResetFiles();
  ResetCallLog();
  TakeRecording();
}

}  // namespace standin

extern "C" HRESULT WINAPI DirectSoundCreate(LPCGUID device, LPDIRECTSOUND* sound, LPUNKNOWN outer) {
  if (standin::Enter("DirectSoundCreate", device ? "guid" : "null")) return DSERR_NODRIVER;
  if (!sound) return DSERR_INVALIDPARAM;
  if (outer) return DSERR_NOAGGREGATION;
  auto* created = new standin::SoftwareDevice;
  standin::Devices().insert(created);
  *sound = created;
  return DS_OK;
}
