// The stand-in's software sound device: a DirectSound device object and its buffers. A
// buffer holds its bytes and plays against the audio clock that AdvanceAudio moves; the
// device owns its buffers, so releasing it destroys them, as DirectSound's does.
#pragma once

#include <vector>

#include "platform/standin/dsound.h"

namespace standin {

class SoftwareDevice;

class SoftwareBuffer final : public IDirectSoundBuffer {
 public:
  SoftwareBuffer(SoftwareDevice* device, DWORD flags, const WAVEFORMATEX& format, BYTE* bytes,
                 DWORD size);
  ~SoftwareBuffer();

  // Plays this many output frames; adds what is heard into mix (left, right pairs) if given.
  void Advance(uint32_t frames, float* mix);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetCaps(DSBCAPS*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD play, LPDWORD write) override;
  HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVolume(LPLONG volume) override;
  HRESULT STDMETHODCALLTYPE GetPan(LPLONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) override;
  HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* region1, LPDWORD bytes1,
                                 LPVOID* region2, LPDWORD bytes2, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Play(DWORD reserved, DWORD priority, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD position) override;
  HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetVolume(LONG volume) override;
  HRESULT STDMETHODCALLTYPE SetPan(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetFrequency(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE Unlock(LPVOID region1, DWORD bytes1, LPVOID region2,
                                   DWORD bytes2) override;
  HRESULT STDMETHODCALLTYPE Restore() override { return E_NOTIMPL; }

 private:
  void MixFrame(float* mix) const;
  void Step();

  SoftwareDevice* device_;
  ULONG references_ = 1;
  DWORD flags_;
  WAVEFORMATEX format_;
  BYTE* bytes_;
  DWORD size_;
  DWORD position_ = 0;
  uint32_t phase_ = 0;  // in 1/kMixRate of a source frame
  bool playing_ = false;
  bool looping_ = false;
  LONG volume_ = 0;
  float gain_ = 1.0f;
  BYTE* locked_ = nullptr;
  DWORD locked_size_ = 0;
};

class SoftwareDevice final : public IDirectSound {
 public:
  ~SoftwareDevice();
  void Advance(uint32_t frames, float* mix);
  void Forget(SoftwareBuffer* buffer);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC description,
                                              LPDIRECTSOUNDBUFFER* buffer, LPUNKNOWN outer) override;
  HRESULT STDMETHODCALLTYPE GetCaps(DSCAPS*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER, LPDIRECTSOUNDBUFFER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override;
  HRESULT STDMETHODCALLTYPE Compact() override { return DS_OK; }
  HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Initialize(LPCGUID) override { return E_NOTIMPL; }

 private:
  ULONG references_ = 1;
  std::vector<SoftwareBuffer*> buffers_;
};

}  // namespace standin
