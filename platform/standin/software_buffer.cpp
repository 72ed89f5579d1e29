// A software sound buffer: its bytes, play cursor, looping flag and volume, checked and
// changed as DirectSound's secondary buffers are.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/standin/control.h"
#include "platform/standin/internal.h"
#include "platform/standin/software_sound.h"

namespace standin {
namespace {

int live_buffers = 0;
uint32_t largest_buffer = 0;

// One sample of the given width as a value in [-1, 1): 8-bit samples are unsigned, wider
// ones signed little-endian.
float SampleAt(const BYTE* p, WORD bits) {
  if (bits == 8) return (p[0] - 128) / 128.0f;
  int32_t value = 0;
  std::memcpy(reinterpret_cast<BYTE*>(&value) + (4 - bits / 8), p, bits / 8);
  return static_cast<float>(value / 2147483648.0);
}

// DirectSound volume is in hundredths of a decibel; -10000 is silence.
float GainOf(LONG volume) {
  return volume <= DSBVOLUME_MIN ? 0.0f : static_cast<float>(std::pow(10.0, volume / 2000.0));
}

}  // namespace

SoftwareBuffer::SoftwareBuffer(SoftwareDevice* device, DWORD flags, const WAVEFORMATEX& format,
                               BYTE* bytes, DWORD size)
    : device_(device), flags_(flags), format_(format), bytes_(bytes), size_(size) {
  ++live_buffers;
  if (size > largest_buffer) largest_buffer = size;
}

SoftwareBuffer::~SoftwareBuffer() {
  device_->Forget(this);
  std::free(bytes_);
  --live_buffers;
}

void SoftwareBuffer::MixFrame(float* mix) const {
  const BYTE* frame = bytes_ + position_;
  WORD width = format_.wBitsPerSample / 8;
  float left = SampleAt(frame, format_.wBitsPerSample);
  float right = format_.nChannels > 1 ? SampleAt(frame + width, format_.wBitsPerSample) : left;
  mix[0] += left * gain_;
  mix[1] += right * gain_;
}

// One output frame on: the source advances by its rate over the mix rate, in whole frames.
void SoftwareBuffer::Step() {
  phase_ += format_.nSamplesPerSec;
  while (phase_ >= kMixRate && playing_) {
    phase_ -= kMixRate;
    position_ += format_.nBlockAlign;
    if (position_ < size_) continue;
    position_ = 0;
    if (!looping_) playing_ = false;
  }
}

void SoftwareBuffer::Advance(uint32_t frames, float* mix) {
  for (uint32_t f = 0; f < frames && playing_; ++f) {
    if (mix) MixFrame(mix + 2 * size_t{f});
    Step();
  }
}

ULONG SoftwareBuffer::AddRef() {
  Enter("AddRef");
  return ++references_;
}

ULONG SoftwareBuffer::Release() {
  Enter("Release");
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT SoftwareBuffer::GetCurrentPosition(LPDWORD play, LPDWORD write) {
  if (Enter("GetCurrentPosition")) return DSERR_GENERIC;
  if (play) *play = position_;
  if (write) *write = position_;
  return DS_OK;
}

HRESULT SoftwareBuffer::GetVolume(LPLONG volume) {
  if (Enter("GetVolume")) return DSERR_GENERIC;
  if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
  if (!volume) return DSERR_INVALIDPARAM;
  *volume = volume_;
  return DS_OK;
}

HRESULT SoftwareBuffer::GetStatus(LPDWORD status) {
  if (Enter("GetStatus")) return DSERR_GENERIC;
  if (!status) return DSERR_INVALIDPARAM;
  *status = playing_ ? (DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0)) : 0;
  return DS_OK;
}

// The stand-in's buffers are one region: a lock that would wrap gives the part up to the end
// first and the rest from the start as the second region.
HRESULT SoftwareBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* region1, LPDWORD bytes1,
                             LPVOID* region2, LPDWORD bytes2, DWORD flags) {
  if (Enter("Lock", std::to_string(offset) + ", " + std::to_string(bytes) + ", " + Hex(flags)))
    return DSERR_GENERIC;
  if (!region1 || !bytes1) return DSERR_INVALIDPARAM;
  if (flags & DSBLOCK_ENTIREBUFFER) offset = 0, bytes = size_;
  if (offset >= size_ || bytes == 0 || bytes > size_) return DSERR_INVALIDPARAM;
  DWORD first = bytes < size_ - offset ? bytes : size_ - offset;
  *region1 = locked_ = bytes_ + offset;
  *bytes1 = locked_size_ = first;
  if (region2) *region2 = first < bytes ? bytes_ : nullptr;
  if (bytes2) *bytes2 = bytes - first;
  return DS_OK;
}

HRESULT SoftwareBuffer::Unlock(LPVOID region1, DWORD bytes1, LPVOID, DWORD) {
  if (Enter("Unlock", std::to_string(bytes1))) return DSERR_GENERIC;
  if (!locked_ || region1 != locked_ || bytes1 > locked_size_) return DSERR_INVALIDPARAM;
  locked_ = nullptr;
  return DS_OK;
}

// Plays from the cursor; a buffer already playing goes on with the newest flags.
HRESULT SoftwareBuffer::Play(DWORD reserved, DWORD priority, DWORD flags) {
  if (Enter("Play", std::to_string(reserved) + ", " + std::to_string(priority) + ", " + Hex(flags)))
    return DSERR_GENERIC;
  if (reserved != 0 || priority != 0) return DSERR_INVALIDPARAM;
  playing_ = true;
  looping_ = (flags & DSBPLAY_LOOPING) != 0;
  return DS_OK;
}

// Past the end the position wraps, as in Wine 8.
HRESULT SoftwareBuffer::SetCurrentPosition(DWORD position) {
  if (Enter("SetCurrentPosition", std::to_string(position))) return DSERR_GENERIC;
  position %= size_;
  position_ = position - position % format_.nBlockAlign;
  phase_ = 0;
  return DS_OK;
}

HRESULT SoftwareBuffer::SetVolume(LONG volume) {
  if (Enter("SetVolume", std::to_string(volume))) return DSERR_GENERIC;
  if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
  if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
  volume_ = volume;
  gain_ = GainOf(volume);
  return DS_OK;
}

HRESULT SoftwareBuffer::Stop() {
  if (Enter("Stop")) return DSERR_GENERIC;
  playing_ = false;
  return DS_OK;
}

int LiveBuffers() { return live_buffers; }
uint32_t LargestSoundBuffer() { return largest_buffer; }
void ForgetLargestBuffer() { largest_buffer = 0; }

}  // namespace standin
